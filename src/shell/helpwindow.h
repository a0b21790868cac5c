#pragma once

#include "platform/helpviewer.h"

namespace shell {

// Shows the program's help file in a window of its own.
class HelpWindowViewer final : public platform::HelpViewer
{
public:
    std::optional<QString> showContents(const QString &helpFile, QWidget *owner) override;
};

} // namespace shell

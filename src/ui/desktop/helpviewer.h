// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace platform {

// Shows the contents page of a help file.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    // Nothing on success; otherwise the description of what went wrong.
    virtual std::optional<QString> showContents(const QString &helpFile, QWidget *owner) = 0;
};

} // namespace platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

namespace platform {

// Message boxes through QMessageBox and Qt's own widget-based file dialogs.
class QtDialogs final : public Dialogs
{
public:
    Button message(const Message &m) override;
    std::optional<QString> openFileName(const FileRequest &r) override;
    std::optional<QString> saveFileName(const FileRequest &r) override;
};

} // namespace platform

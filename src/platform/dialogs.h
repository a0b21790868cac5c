// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

enum class Icon { None, Information, Exclamation, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Button { Ok, Cancel, Yes, No, Retry };

// One message box: the text exactly as shown, its icon, buttons and title.
struct Message
{
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString title = QStringLiteral("Quenmora");
    // The answer Enter gives; none: the platform's own choice (the first
    // accepting button: OK, Yes or Retry).
    std::optional<Button> defaultButton;

    // The answer a box gives when it is closed without a choice.
    Button escapeButton() const;
};

// An open or save dialog. The filter has the form "Description|*.a;*.b",
// several of them joined by '|' ("Text (*.txt)|*.txt|CSV (*.csv)|*.csv");
// the first is chosen at the start. The initial folder is an absolute path.
struct FileRequest
{
    QString initialFolder;
    QString filter;
    QString title;
    // When set, receives the number of the filter the user left chosen (0 for the first).
    int *chosenFilter = nullptr;
};

// Message boxes and file dialogs: the one place the windows ask the user.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual Button message(const Message &m) = 0;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<QString> openFileName(const FileRequest &r) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest &r) = 0;
};

// "Text files (*.txt)|*.txt" -> "Text files (*.txt)"; "Audio (*.wav,*.mid)|*.wav;*.mid"
// -> "Audio (*.wav,*.mid) (*.wav *.mid)", so that Qt sees the patterns.
QString qtNameFilter(const QString &filterText);
// Each filter of a filter text in Qt's form, in order.
QStringList qtNameFilters(const QString &filterText);

// The unexpected-failure form: number, CR LF, description.
QString errorText(int number, const QString &description);

} // namespace platform

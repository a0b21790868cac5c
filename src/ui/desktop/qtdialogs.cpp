// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::None:
        return QMessageBox::NoIcon;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton toQt(Button button)
{
    switch (button) {
    case Button::Ok:
        return QMessageBox::Ok;
    case Button::Cancel:
        return QMessageBox::Cancel;
    case Button::Yes:
        return QMessageBox::Yes;
    case Button::No:
        return QMessageBox::No;
    case Button::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::NoButton;
}

std::optional<QString> runFileDialog(const FileRequest &r, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), r.title, r.initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(r.filter);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    if (r.chosenFilter)
        *r.chosenFilter = qMax(0, int(filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().constFirst();
}

} // namespace

Button QtDialogs::message(const Message &m)
{
    QMessageBox box(toQt(m.icon), m.title, m.text, toQt(m.buttons), QApplication::activeWindow());
    if (m.defaultButton)
        box.setDefaultButton(toQt(*m.defaultButton));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Button::Ok;
    case QMessageBox::Cancel:
        return Button::Cancel;
    case QMessageBox::Yes:
        return Button::Yes;
    case QMessageBox::No:
        return Button::No;
    case QMessageBox::Retry:
        return Button::Retry;
    default:
        return m.escapeButton();
    }
}

std::optional<QString> QtDialogs::openFileName(const FileRequest &r)
{
    return runFileDialog(r, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::saveFileName(const FileRequest &r)
{
    return runFileDialog(r, QFileDialog::AcceptSave);
}

} // namespace platform

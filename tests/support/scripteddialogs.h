// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>
#include <QWidget>

// Scripts the answers to message boxes and file dialogs and records what was asked.
class ScriptedDialogs final : public platform::Dialogs
{
public:
    void queueAnswer(platform::Button b) { m_answers.enqueue(b); }
    // The next file dialog returns this name, with that filter chosen (0 is
    // the first); an empty optional cancels it.
    void queueFile(std::optional<QString> name, int filter = 0) { m_files.enqueue({std::move(name), filter}); }

    platform::Button message(const platform::Message &m) override
    {
        shown << m;
        if (pointerOf)
            pointers << pointerOf->cursor().shape();
        return m_answers.isEmpty() ? m.escapeButton() : m_answers.dequeue();
    }
    std::optional<QString> openFileName(const platform::FileRequest &r) override
    {
        opened << r;
        return nextFile(r);
    }
    std::optional<QString> saveFileName(const platform::FileRequest &r) override
    {
        saved << r;
        return nextFile(r);
    }

    // Texts of the boxes shown, in order.
    QStringList texts() const
    {
        QStringList t;
        for (const auto &m : shown)
            t << m.text;
        return t;
    }
    void clear()
    {
        shown.clear();
        opened.clear();
        saved.clear();
    }

    QList<platform::Message> shown;
    // When set, the pointer that window shows at each box, in order.
    const QWidget *pointerOf = nullptr;
    QList<Qt::CursorShape> pointers;
    QList<platform::FileRequest> opened;
    QList<platform::FileRequest> saved;

private:
    struct File
    {
        std::optional<QString> name;
        int filter = 0;
    };

    std::optional<QString> nextFile(const platform::FileRequest &r)
    {
        const File file = m_files.isEmpty() ? File() : m_files.dequeue();
        if (file.name && r.chosenFilter)
            *r.chosenFilter = file.filter;
        return file.name;
    }

    QQueue<platform::Button> m_answers;
    QQueue<File> m_files;
};

#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QQueue>

// Scripts the answers to message boxes and file dialogs and records what was asked.
class ScriptedDialogs final : public platform::Dialogs
{
public:
    void queueAnswer(platform::Button b) { m_answers.enqueue(b); }
    // The next file dialog returns this name; an empty optional cancels it.
    void queueFile(std::optional<QString> name) { m_files.enqueue(std::move(name)); }

    platform::Button message(const platform::Message &m) override
    {
        shown << m;
        return m_answers.isEmpty() ? m.escapeButton() : m_answers.dequeue();
    }
    std::optional<QString> openFileName(const platform::FileRequest &r) override
    {
        opened << r;
        return nextFile();
    }
    std::optional<QString> saveFileName(const platform::FileRequest &r) override
    {
        saved << r;
        return nextFile();
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
    QList<platform::FileRequest> opened;
    QList<platform::FileRequest> saved;

private:
    std::optional<QString> nextFile() { return m_files.isEmpty() ? std::nullopt : m_files.dequeue(); }

    QQueue<platform::Button> m_answers;
    QQueue<std::optional<QString>> m_files;
};

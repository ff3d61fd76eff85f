#pragma once

#include "platform/MessageService.h"

#include <QList>
#include <QStringList>
#include <optional>

// A MessageService for tests. While it lives it is the installed service; it
// records every box and prompt and answers questions from a queue. A dialog
// with no scripted answer fails the test at once (and is answered "No" /
// cancelled) instead of waiting for a user that is not there; answers left
// unused at the end fail the test too.
class ScriptedMessageService : public Slipdesk::MessageService
{
public:
    enum class Kind { Inform, Ask, Prompt };
    struct Call
    {
        Kind kind;
        QString text;
        Icon icon; // Question for prompt
        QString title; // empty: the fixed caption
        bool defaultNo = false;
        bool masked = false;
        QString preset; // prompt: the text the edit line started with
    };

    ScriptedMessageService();
    ~ScriptedMessageService() override;

    // Queued answers, used in order.
    void answer(Answer answer);
    void answerPrompt(const QString &value);
    void cancelPrompt();

    const QList<Call> &calls() const { return m_calls; }
    QStringList texts() const;
    QStringList texts(Icon icon) const;
    QString lastText() const { return m_calls.isEmpty() ? QString() : m_calls.last().text; }
    void clear() { m_calls.clear(); }

    void inform(const QString &text, Icon icon = Icon::Information, const QString &title = QString()) override;
    Answer ask(const QString &text, bool defaultNo = false, Icon icon = Icon::Question) override;
    bool prompt(const QString &question, QString &value, bool masked = false) override;

private:
    QList<Call> m_calls;
    QList<Answer> m_answers;
    QList<std::optional<QString>> m_promptAnswers; // nullopt: cancel
};

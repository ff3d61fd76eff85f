#include "support/ScriptedMessageService.h"

#include <gtest/gtest.h>

using Slipdesk::MessageService;

ScriptedMessageService::ScriptedMessageService()
{
    MessageService::install(this);
}

ScriptedMessageService::~ScriptedMessageService()
{
    if (&MessageService::instance() == this)
        MessageService::install(nullptr);
    if (!m_answers.isEmpty())
        ADD_FAILURE() << m_answers.size() << " scripted answer(s) to questions never asked";
    if (!m_promptAnswers.isEmpty())
        ADD_FAILURE() << m_promptAnswers.size() << " scripted prompt answer(s) never used";
}

void ScriptedMessageService::answer(Answer answer)
{
    m_answers.append(answer);
}

void ScriptedMessageService::answerPrompt(const QString &value)
{
    m_promptAnswers.append(value);
}

void ScriptedMessageService::cancelPrompt()
{
    m_promptAnswers.append(std::nullopt);
}

QStringList ScriptedMessageService::texts() const
{
    QStringList out;
    for (const Call &call : m_calls)
        out.append(call.text);
    return out;
}

QStringList ScriptedMessageService::texts(Icon icon) const
{
    QStringList out;
    for (const Call &call : m_calls) {
        if (call.kind == Kind::Inform && call.icon == icon)
            out.append(call.text);
    }
    return out;
}

void ScriptedMessageService::inform(const QString &text, Icon icon, const QString &title)
{
    m_calls.append({Kind::Inform, text, icon, title, false, false, QString()});
}

MessageService::Answer ScriptedMessageService::ask(const QString &text, bool defaultNo, Icon icon)
{
    Call call {Kind::Ask, text, icon, QString(), defaultNo, false, QString()};
    call.defaultNo = defaultNo;
    m_calls.append(call);
    if (m_answers.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Answer::No;
    }
    return m_answers.takeFirst();
}

bool ScriptedMessageService::prompt(const QString &question, QString &value, bool masked)
{
    Call call {Kind::Prompt, question, Icon::Question, QString(), false, masked, value};
    call.masked = masked;
    call.preset = value;
    m_calls.append(call);
    if (m_promptAnswers.isEmpty()) {
        ADD_FAILURE() << "unexpected input prompt: " << question.toStdString();
        return false;
    }
    const std::optional<QString> answer = m_promptAnswers.takeFirst();
    if (!answer)
        return false;
    // The real prompt cannot hand back more than its edit line holds.
    value = answer->left(255);
    return true;
}

#pragma once

#include <QLabel>
#include <QList>
#include <QStringList>

namespace Slipdesk {

// Labels whose captions a trade template may rename: a template with its
// own caption shows it, one without shows the built-in caption again after
// another template replaced it.
class CaptionLabels
{
public:
    explicit CaptionLabels(QList<QLabel *> labels)
        : m_labels(std::move(labels))
    {
        for (const QLabel *label : m_labels)
            m_builtIn.append(label->text());
    }

    // `captions` index for index with the labels; an empty one is the built-in.
    void apply(const QStringList &captions)
    {
        for (int i = 0; i < m_labels.size() && i < captions.size(); ++i)
            m_labels.at(i)->setText(captions.at(i).isEmpty() ? m_builtIn.at(i) : captions.at(i));
    }

private:
    QList<QLabel *> m_labels;
    QStringList m_builtIn;
};

} // namespace Slipdesk

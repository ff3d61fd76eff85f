#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QPushButton;
class QWidget;

namespace Slipdesk {

class TForm1;
class TemplateGridDelegate;

// The item grid of the template tab with its in-cell editors, the overall
// offset fields and nudge buttons, and the express template options card.
class TemplateEditorController : public QObject
{
    Q_OBJECT
public:
    explicit TemplateEditorController(TForm1 &form);

    // Cell selection for the grid's current cell: lays the matching in-cell
    // editor over it.
    void selectCell();
    // Grid click: marks the current cell and, in a number column, shows the
    // number editor with the cell's value.
    void gridClick();
    // After the preview placed an item: the number editor shows the new value.
    void refreshEditor();

    // Enter in the grid or in one of its editors.
    void enterPressed();
    // A row dragged from `from` to `to` (grid rows).
    void moveRow(int from, int to);
    // The grid row last clicked, -1 before the first click.
    int markedRow() const;

    // Express template options card.
    void BtnPicFileClick();
    void BtnSavePrnSetClick();

    // The five columns edited with the number editor, and the step of each.
    static bool isNumberColumn(const QString &header);
    static int numberStep(const QString &header);
    // The fonts the font editor offers: the installed families plus the
    // template font names the program maps, sorted.
    static QStringList fontChoices();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupGrid();
    void setupOffsets();
    void setupOptionsCard();

    QString columnHeader(int column) const;
    int findColumn(const QString &header) const;
    QString currentHeader() const;
    bool templateTabActive() const;
    void placeOver(QWidget *editor, int row, int column) const;
    void showListEditor(const QStringList &entries, const QString &value, const QString &fallback);
    void writeCurrentCell(const QString &text);
    void editorFocusChanged(QWidget *now);
    void nudge(QPushButton *button);
    static bool acceptOffsetKey(const QKeyEvent *event);
    static void rewriteOffset(QLineEdit *edit);

    TForm1 &m_form;
    TemplateGridDelegate *m_delegate = nullptr;
    bool m_settingEditor = false; // editor filled by the program, not typed
    bool m_movingRow = false;
    int m_dragRow = -1;           // grid row a drag started on, -1 when none
};

} // namespace Slipdesk

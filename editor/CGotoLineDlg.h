#pragma once
// The Go to Line dialog: asks for a line number between 1 and the number of
// lines of the text, which it shows. It starts with the caret's line, selected.
// A number beyond either end stands for the nearest line; while the field holds
// no number (letters, nothing at all), OK is disabled. Enter is OK, Esc Cancel.
#include <QDialog>

class QLineEdit;
class QPushButton;

class CGotoLineDlg : public QDialog {
    Q_OBJECT
public:
    CGotoLineDlg(QWidget* owner, int currentLine, int lineCount);

    // The line asked for, within 1..lineCount; 0 while the field holds no number.
    int Line() const;

    // The field and OK, for tests that use the dialog as a person does.
    QLineEdit* Field() const { return m_pField; }
    QPushButton* OkButton() const { return m_pOk; }

private:
    int m_nLineCount;
    QLineEdit* m_pField;
    QPushButton* m_pOk;
};

#pragma once
// The modeless Find or Replace dialog that the main frame owns. Find: the find
// field, Match case, the direction (Up, Down; Down at first), Find Next and
// Cancel. Replace: the same with the replace field, Replace and Replace All.
// There is no whole-word option. Each text holds at most 127 characters (a
// longer one is cut). Enter is Find Next; Esc, Cancel and the close box close.
// The request buttons are disabled while the find field is empty.
//
// Every request is reported by `notified` with the desktop's flags: FR_FINDNEXT,
// FR_REPLACE or FR_REPLACEALL, together with FR_DOWN and FR_MATCHCASE as set.
// Closing in any way (Terminate included) reports FR_DIALOGTERM once; the
// dialog then deletes itself, after the handlers have read its texts.
#include <QDialog>

#include "platform/Win32Types.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxText = 127;

    CFindReplaceDlg(QWidget* owner, bool findOnly, const QString& findWhat, const QString& replaceWith);

    bool IsFindOnly() const { return m_bFindOnly; }
    QString FindWhat() const;
    QString ReplaceWith() const;  // empty for the Find dialog
    // FR_DOWN and FR_MATCHCASE as the dialog's controls stand.
    DWORD Flags() const;
    // Closes the dialog as Cancel does.
    void Terminate();

    // The controls, for tests that use the dialog as a person does.
    QLineEdit* FindField() const { return m_pFindWhat; }
    QLineEdit* ReplaceField() const { return m_pReplaceWith; }
    QCheckBox* MatchCaseBox() const { return m_pMatchCase; }
    QRadioButton* UpButton() const { return m_pUp; }
    QRadioButton* DownButton() const { return m_pDown; }
    // The button of FR_FINDNEXT, FR_REPLACE or FR_REPLACEALL; null when absent.
    QPushButton* RequestButton(DWORD request) const;
    QPushButton* CancelButton() const { return m_pCancel; }

signals:
    void notified(DWORD flags);

protected:
    void done(int result) override;

private:
    QPushButton* AddRequest(const QString& text, DWORD request);
    void EnableRequests();

    bool m_bFindOnly;
    bool m_bClosed = false;
    QLineEdit* m_pFindWhat;
    QLineEdit* m_pReplaceWith = nullptr;
    QCheckBox* m_pMatchCase;
    QRadioButton* m_pUp;
    QRadioButton* m_pDown;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
    QPushButton* m_pCancel;
};

// The first `count` characters of `text`, a surrogate pair counting as one.
QString LeftCharacters(const QString& text, int count);

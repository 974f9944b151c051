#pragma once
// The "Print job is in progress" dialog (resource 400): modeless, caption
// "NUV", one Cancel button. Cancel, Esc and the close box all mean Cancel.
#include <QDialog>

class QPushButton;

class CPrintAbortDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPrintAbortDlg(QWidget* owner);

    QPushButton* CancelButton() const { return m_cancel; }

signals:
    void cancelled();

protected:
    void reject() override;

private:
    QPushButton* m_cancel;
};

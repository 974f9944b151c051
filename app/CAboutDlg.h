#pragma once
// The About box: product name and version, copyright, credits, icon, OK.
#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);
};

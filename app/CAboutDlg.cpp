#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/Images.h"
#include "res/Version.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About The NUV System");
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* product = new QLabel("<b>The NUV System</b> v. " NUV_VERSION_SHORT, this);
    text->addWidget(product);
    text->addWidget(new QLabel("Copyright \u00A9 2026 The NUV developers. All rights reserved.", this));
    text->addSpacing(8);
    text->addWidget(new QLabel("The environment in which NUV models are written, run and debugged.", this));
    text->addWidget(new QLabel("Editor, output window and run controller: the NUV environment team.", this));
    text->addWidget(new QLabel("Interpreter library: the NUV language team.", this));

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

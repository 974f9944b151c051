#include "app/CFindReplaceDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Keeps a field at kMaxText characters (not UTF-16 units): a longer text, typed
// or pasted, is cut there.
class CharacterLimit : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        const QString cut = LeftCharacters(input, CFindReplaceDlg::kMaxText);
        if (cut.size() != input.size()) {
            input = cut;
            pos = std::min(pos, static_cast<int>(input.size()));
        }
        return Acceptable;
    }
};

QLineEdit* TextField(const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setValidator(new CharacterLimit(field));
    field->setText(LeftCharacters(text, CFindReplaceDlg::kMaxText));
    field->selectAll();
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 32);
    return field;
}

}  // namespace

QString LeftCharacters(const QString& text, int count)
{
    qsizetype end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate() ? 2 : 1;
    return text.left(end);
}

CFindReplaceDlg::CFindReplaceDlg(QWidget* owner, bool findOnly, const QString& findWhat, const QString& replaceWith)
    : QDialog(owner), m_bFindOnly(findOnly)
{
    setWindowTitle(findOnly ? "Find" : "Replace");
    setModal(false);
    // A title and a close box, as the desktop's find dialog: nothing to minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* fields = new QGridLayout;
    m_pFindWhat = TextField(findWhat, this);
    auto* findLabel = new QLabel("Fi&nd what:", this);
    findLabel->setBuddy(m_pFindWhat);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_pFindWhat, 0, 1);
    if (!findOnly) {
        m_pReplaceWith = TextField(replaceWith, this);
        auto* replaceLabel = new QLabel("Re&place with:", this);
        replaceLabel->setBuddy(m_pReplaceWith);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(m_pReplaceWith, 1, 1);
    }

    m_pMatchCase = new QCheckBox("Match &case", this);
    auto* direction = new QGroupBox("Direction", this);
    m_pUp = new QRadioButton("&Up", direction);
    m_pDown = new QRadioButton("&Down", direction);
    m_pDown->setChecked(true);
    auto* directionRow = new QHBoxLayout(direction);
    directionRow->addWidget(m_pUp);
    directionRow->addWidget(m_pDown);
    auto* options = new QHBoxLayout;
    options->addWidget(m_pMatchCase, 0, Qt::AlignBottom);
    options->addStretch(1);
    options->addWidget(direction);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch(1);
    left->addLayout(options);

    auto* buttons = new QVBoxLayout;
    m_pFindNext = AddRequest("&Find Next", FR_FINDNEXT);
    buttons->addWidget(m_pFindNext);
    if (!findOnly) {
        m_pReplace = AddRequest("&Replace", FR_REPLACE);
        m_pReplaceAll = AddRequest("Replace &All", FR_REPLACEALL);
        buttons->addWidget(m_pReplace);
        buttons->addWidget(m_pReplaceAll);
    }
    m_pCancel = new QPushButton("Cancel", this);
    m_pCancel->setAutoDefault(false);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_pCancel);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    m_pFindNext->setDefault(true);  // Enter
    connect(m_pFindWhat, &QLineEdit::textChanged, this, &CFindReplaceDlg::EnableRequests);
    EnableRequests();
    m_pFindWhat->setFocus();
    setFixedSize(sizeHint());
}

QPushButton* CFindReplaceDlg::AddRequest(const QString& text, DWORD request)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, request] { emit notified(request | Flags()); });
    return button;
}

void CFindReplaceDlg::EnableRequests()
{
    const bool any = !m_pFindWhat->text().isEmpty();
    for (QPushButton* button : {m_pFindNext, m_pReplace, m_pReplaceAll}) {
        if (button)
            button->setEnabled(any);
    }
}

QString CFindReplaceDlg::FindWhat() const
{
    return m_pFindWhat->text();
}

QString CFindReplaceDlg::ReplaceWith() const
{
    return m_pReplaceWith ? m_pReplaceWith->text() : QString();
}

DWORD CFindReplaceDlg::Flags() const
{
    return (m_pDown->isChecked() ? FR_DOWN : 0) | (m_pMatchCase->isChecked() ? FR_MATCHCASE : 0);
}

QPushButton* CFindReplaceDlg::RequestButton(DWORD request) const
{
    switch (request) {
    case FR_FINDNEXT: return m_pFindNext;
    case FR_REPLACE: return m_pReplace;
    case FR_REPLACEALL: return m_pReplaceAll;
    default: return nullptr;
    }
}

void CFindReplaceDlg::Terminate()
{
    reject();
}

void CFindReplaceDlg::done(int result)
{
    if (m_bClosed)
        return;
    m_bClosed = true;
    QDialog::done(result);
    emit notified(FR_DIALOGTERM | Flags());
    deleteLater();
}

#include "run/CEnvironmentDlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "output/CNuvOutput.h"
#include "platform/Prompts.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "run/CEnvironmentSettings.h"
#include "run/DllList.h"
#include "run/DllNameValidator.h"
#include "shell/ChooseFileName.h"
#include "shell/IMainFrame.h"
#include "shell/MessageFromTable.h"

namespace {

enum : int {
    IDC_ADD = 301,
    IDC_REMOVE = 302,
    IDC_LIST = 303,
    IDC_NAME = 304,
    IDC_BROWSE = 305,
    IDC_REMOVE_ALL = 306,
    IDC_SEND_TO_FILE = 307,
    IDC_APPEND = 308,
    IDC_PREPROCESS = 309,
    IDC_TIMER = 310,
    IDC_DEFAULT = 311,
    IDC_UPDATE_LIMIT = 312,
    IDC_RANGE_CHECK = 314,
};

constexpr int kUpdateLimitLength = 3;

}  // namespace

CEnvironmentDlg::CEnvironmentDlg(CEnvironmentSettings& settings, CNuvOutput* output, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_output(output)
{
    setWindowTitle("NUV - Working environment");
    // Dialog units follow the font, as the dialog template's do.
    const QFontMetrics metrics(font());
    // Dialog base units as the desktop computes them, from the average width of
    // the alphabet; this platform's fonts run wider than the dialog's own
    // narrow one, so the layout gets a fifth more room.
    const int alphabet = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = qMax(1, ((alphabet / 26 + 1) / 2) * 6 / 5);
    m_baseY = qMax(1, metrics.height());
    CreateControls();
    Fill();
}

QRect CEnvironmentDlg::DialogRect(int x, int y, int w, int h) const
{
    return QRect(x * m_baseX / 4, y * m_baseY / 8, w * m_baseX / 4, h * m_baseY / 8);
}

void CEnvironmentDlg::AddGroup(const char* text, int x, int y, int w, int h)
{
    auto* group = new QGroupBox(QString::fromUtf8(text), this);
    group->setGeometry(DialogRect(x, y, w, h));
    group->lower();
}

void CEnvironmentDlg::AddStatic(const char* text, int x, int y, int w, int h)
{
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setGeometry(DialogRect(x, y, w, h));
}

QPushButton* CEnvironmentDlg::AddButton(int id, const char* text, int x, int y, int w, int h)
{
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setGeometry(DialogRect(x, y, w, h));
    // Enter presses the default button only, whichever button has the focus.
    button->setAutoDefault(false);
    m_items[id] = button;
    return button;
}

QCheckBox* CEnvironmentDlg::AddCheckBox(int id, const char* text, int x, int y, int w, int h)
{
    auto* box = new QCheckBox(QString::fromUtf8(text), this);
    box->setGeometry(DialogRect(x, y, w, h));
    m_items[id] = box;
    return box;
}

void CEnvironmentDlg::CreateControls()
{
    AddGroup("Additional DLLs", 2, 10, 169, 121);
    AddStatic("Name of a DLL:", 6, 26, 73, 8);
    m_name = new QLineEdit(this);
    m_name->setGeometry(DialogRect(6, 36, 109, 13));
    // The limit counts the bytes the interpreter receives, not characters.
    m_name->setValidator(new DllNameValidator(m_name));
    m_items[IDC_NAME] = m_name;
    connect(AddButton(IDC_BROWSE, "&Browse...", 121, 36, 45, 14), &QPushButton::clicked, this, &CEnvironmentDlg::OnBrowse);
    AddStatic("DLLs to use:", 6, 52, 96, 8);
    m_list = new QListWidget(this);
    m_list->setGeometry(DialogRect(6, 62, 109, 64));
    m_items[IDC_LIST] = m_list;
    connect(AddButton(IDC_REMOVE, "&Remove", 121, 73, 45, 14), &QPushButton::clicked, this, &CEnvironmentDlg::OnRemove);
    connect(AddButton(IDC_ADD, "&Add", 121, 92, 45, 14), &QPushButton::clicked, this, &CEnvironmentDlg::OnAdd);
    connect(AddButton(IDC_REMOVE_ALL, "Re&move All", 121, 112, 45, 14), &QPushButton::clicked, this,
            &CEnvironmentDlg::OnRemoveAll);

    AddGroup("Output", 175, 10, 70, 59);
    m_sendToFile = AddCheckBox(IDC_SEND_TO_FILE, "Send To File", 179, 22, 55, 10);
    m_append = AddCheckBox(IDC_APPEND, "App&end", 190, 34, 37, 10);
    QCheckBox* preprocess = AddCheckBox(IDC_PREPROCESS, "&Preprocess only", 178, 50, 63, 10);

    AddGroup("Interpreter", 175, 70, 116, 61);
    QCheckBox* timer = AddCheckBox(IDC_TIMER, "Set &Timer on Run", 179, 82, 73, 10);
    QCheckBox* rangeCheck = AddCheckBox(IDC_RANGE_CHECK, "Ran&ge Check", 179, 97, 80, 10);
    AddStatic("Update Limit:", 179, 116, 44, 10);
    m_updateLimit = new QLineEdit(this);
    m_updateLimit->setGeometry(DialogRect(226, 113, 20, 12));
    m_updateLimit->setMaxLength(kUpdateLimitLength);
    m_updateLimit->installEventFilter(this);
    m_items[IDC_UPDATE_LIMIT] = m_updateLimit;
    connect(AddButton(IDC_DEFAULT, "&Default", 250, 113, 37, 12), &QPushButton::clicked, this,
            &CEnvironmentDlg::OnDefault);
    connect(AddButton(IDOK, "&OK", 248, 14, 45, 15), &QPushButton::clicked, this, &CEnvironmentDlg::OnOK);
    connect(AddButton(IDCANCEL, "&Cancel", 249, 33, 45, 15), &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(DialogRect(0, 0, 295, 133).size());

    connect(m_name, &QLineEdit::textEdited, this, &CEnvironmentDlg::OnNameEdited);
    connect(m_name, &QLineEdit::inputRejected, this, &CEnvironmentDlg::ReportNameTooLong);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CEnvironmentDlg::ApplyListRule);
    for (QCheckBox* box : {m_sendToFile, m_append, preprocess}) {
        connect(box, &QCheckBox::clicked, this, [this] {
            ApplyOutputRule();
            SetDefaultButton(IDOK);
        });
    }
    for (QCheckBox* box : {timer, rangeCheck})
        connect(box, &QCheckBox::clicked, this, [this] { SetDefaultButton(IDOK); });
}

QWidget* CEnvironmentDlg::Item(int id) const
{
    const auto found = m_items.find(id);
    return found != m_items.end() ? found->second : nullptr;
}

int CEnvironmentDlg::DefaultButton() const
{
    for (const auto& [id, widget] : m_items) {
        if (auto* button = qobject_cast<QPushButton*>(widget); button && button->isDefault())
            return id;
    }
    return 0;
}

void CEnvironmentDlg::SetDefaultButton(int id)
{
    if (auto* button = qobject_cast<QPushButton*>(Item(id)))
        button->setDefault(true);
}

void CEnvironmentDlg::Fill()
{
    for (const std::string& name : theDllList)
        m_list->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    ApplyListRule();
    const bool sendToFile = m_output && m_output->GetOption(CNuvOutput::kOptionSendToFile);
    m_sendToFile->setChecked(sendToFile);
    m_append->setEnabled(sendToFile);
    m_append->setChecked(sendToFile && m_output->GetOption(CNuvOutput::kOptionAppend));
    if (!m_output) {
        m_sendToFile->setEnabled(false);
        m_append->setEnabled(false);
    }
    static_cast<QCheckBox*>(Item(IDC_PREPROCESS))->setChecked(m_settings.m_bPreprocessOnly);
    static_cast<QCheckBox*>(Item(IDC_TIMER))->setChecked(m_settings.m_bTimer);
    m_updateLimit->setText(QString::number(m_settings.m_nUpdateLimit));
    static_cast<QCheckBox*>(Item(IDC_RANGE_CHECK))->setChecked(m_settings.m_bRangeCheck);
    SetDefaultButton(IDOK);
    FocusName();
}

void CEnvironmentDlg::FocusName()
{
    m_name->setFocus();
}

void CEnvironmentDlg::ApplyListRule()
{
    const CEnvironmentRules::ListButtons buttons =
        CEnvironmentRules::ListRule(m_list->count(), !m_list->selectedItems().isEmpty(), !m_name->text().isEmpty());
    Item(IDC_REMOVE_ALL)->setEnabled(buttons.removeAll);
    Item(IDC_REMOVE)->setEnabled(buttons.remove);
    Item(IDC_ADD)->setEnabled(buttons.add);
}

void CEnvironmentDlg::ApplyOutputRule()
{
    if (!m_output)
        return;
    const CEnvironmentRules::AppendBox append =
        m_rules.OutputRule(m_sendToFile->isChecked(), {m_append->isEnabled(), m_append->isChecked()});
    m_append->setEnabled(append.enabled);
    m_append->setChecked(append.checked);
}

// Typed letters keep their case: on this file system the case is part of the
// name, so a lower-cased name would be some other (missing) file.
void CEnvironmentDlg::OnNameEdited(const QString& text)
{
    ApplyListRule();
    SetDefaultButton(CEnvironmentRules::DefaultButtonAfterTyping(!text.isEmpty()));
}

void CEnvironmentDlg::ReportNameTooLong()
{
    MessageFromTable(IDS_DLL_NAME_TOO_LONG, MB_ICONEXCLAMATION, {static_cast<int>(kMaxDllName)});
    FocusName();
}

void CEnvironmentDlg::OnBrowse()
{
    char path[MAX_PATH];
    if (ChooseFileName(path, this, FD_DLL))
        m_name->setText(QFile::decodeName(path));  // file names decode as every other file name does
    FocusName();
    SetDefaultButton(IDC_ADD);
    ApplyListRule();
}

std::vector<std::string> CEnvironmentDlg::Entries() const
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(m_list->count()));
    for (int i = 0; i < m_list->count(); ++i)
        entries.push_back(m_list->item(i)->text().toUtf8().toStdString());
    return entries;
}

void CEnvironmentDlg::InsertSorted(const std::string& name)
{
    const std::size_t position = CEnvironmentRules::SortedPosition(Entries(), name);
    m_list->insertItem(static_cast<int>(position), QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void CEnvironmentDlg::OnAdd()
{
    const QByteArray text = QFile::encodeName(m_name->text());
    const std::string name(text.constData(), static_cast<std::size_t>(text.size()));
    if (name.empty())
        return;
    // The interpreter reads the names from a 260-byte buffer: a longer one (set
    // by Browse, which the field takes as chosen) is refused whole, not cut.
    if (name.size() > kMaxDllName) {
        ReportNameTooLong();
        return;
    }
    const int found = CEnvironmentRules::FindEntry(Entries(), name);
    if (found >= 0) {
        m_list->setCurrentRow(found);
        MessageFromTable(IDS_DLL_IN_LIST, MB_ICONINFORMATION, {name.c_str()});
        return;
    }
    if (!CEnvironmentRules::IsLibraryFile(name)) {
        const int answer = MessageFromTable(IDS_DLL_MISSING, MB_YESNO | MB_ICONQUESTION, {name.c_str()});
        SetDefaultButton(IDOK);
        if (answer != IDYES)
            return;
    }
    InsertSorted(name);
    ApplyListRule();
    FocusName();
    SetDefaultButton(IDOK);
}

void CEnvironmentDlg::OnRemove()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        delete m_list->takeItem(m_list->row(selected.front()));
    FocusName();
    SetDefaultButton(IDOK);
    ApplyListRule();
}

void CEnvironmentDlg::OnRemoveAll()
{
    m_list->clear();
    ApplyListRule();
    FocusName();
    SetDefaultButton(IDOK);
}

void CEnvironmentDlg::OnDefault()
{
    m_updateLimit->setText("20");
    m_updateLimit->selectAll();
    SetDefaultButton(IDOK);
}

// Every field is checked before anything changes: after a refused OK, Cancel
// leaves every setting as it was when the dialog opened.
void CEnvironmentDlg::OnOK()
{
    int limit = 0;
    if (!CEnvironmentRules::ParseUpdateLimit(m_updateLimit->text().toStdString(), &limit)) {
        Prompts().Beep(MB_ICONEXCLAMATION);
        m_updateLimit->setFocus();
        m_updateLimit->selectAll();
        return;
    }
    theDllList = Entries();
    if (m_output) {
        m_output->SetOption(CNuvOutput::kOptionSendToFile, m_sendToFile->isChecked() ? TRUE : FALSE);
        if (m_sendToFile->isChecked())
            m_output->SetOption(CNuvOutput::kOptionAppend, m_append->isChecked() ? TRUE : FALSE);
    }
    m_settings.m_bPreprocessOnly = static_cast<QCheckBox*>(Item(IDC_PREPROCESS))->isChecked() ? TRUE : FALSE;
    m_settings.m_bTimer = static_cast<QCheckBox*>(Item(IDC_TIMER))->isChecked() ? TRUE : FALSE;
    m_settings.ResetElapsedTime(FALSE);
    if (IMainFrame* frame = TheFrame())
        frame->SetPaneText(ID_INDICATOR_CLOCK, QString::fromLatin1(m_settings.m_szElapsed));
    m_settings.m_nUpdateLimit = limit;
    m_settings.m_bRangeCheck = static_cast<QCheckBox*>(Item(IDC_RANGE_CHECK))->isChecked() ? TRUE : FALSE;
    accept();
}

bool CEnvironmentDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_updateLimit && event->type() == QEvent::FocusIn)
        QMetaObject::invokeMethod(m_updateLimit, &QLineEdit::selectAll, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

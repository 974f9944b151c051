#pragma once
// "NUV - Working environment" (dialog 300): the additional DLLs, where the
// output goes, and the interpreter options. Item() gives each control by its
// dialog id (301-314, 1 OK, 2 Cancel). The settings change only on OK.
#include <QDialog>
#include <map>

#include "run/CEnvironmentRules.h"

class CNuvOutput;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
struct CEnvironmentSettings;

class CEnvironmentDlg : public QDialog {
    Q_OBJECT
public:
    // `output` may be null (no output options are shown or changed then).
    CEnvironmentDlg(CEnvironmentSettings& settings, CNuvOutput* output, QWidget* parent = nullptr);

    QWidget* Item(int id) const;
    // The button Enter presses now (301 Add or 1 OK).
    int DefaultButton() const;

    void OnBrowse();
    void OnAdd();
    void OnRemove();
    void OnRemoveAll();
    void OnDefault();
    void OnOK();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QPushButton* AddButton(int id, const char* text, int x, int y, int w, int h);
    QCheckBox* AddCheckBox(int id, const char* text, int x, int y, int w, int h);
    void AddStatic(const char* text, int x, int y, int w, int h);
    void AddGroup(const char* text, int x, int y, int w, int h);
    QRect DialogRect(int x, int y, int w, int h) const;
    void Fill();
    void ApplyListRule();
    void ApplyOutputRule();
    void SetDefaultButton(int id);
    void OnNameEdited(const QString& text);
    void ReportNameTooLong();
    void FocusName();
    std::vector<std::string> Entries() const;
    void InsertSorted(const std::string& name);

    CEnvironmentSettings& m_settings;
    CNuvOutput* m_output;
    CEnvironmentRules m_rules;
    std::map<int, QWidget*> m_items;
    QLineEdit* m_name = nullptr;         // 304
    QListWidget* m_list = nullptr;       // 303
    QCheckBox* m_sendToFile = nullptr;   // 307
    QCheckBox* m_append = nullptr;       // 308
    QLineEdit* m_updateLimit = nullptr;  // 312
    int m_baseX = 6;
    int m_baseY = 13;
};

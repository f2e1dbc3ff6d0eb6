#pragma once
#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QFormLayout;

// Chooses the catalogue language and the target instrument model. The
// choices are stored as list indexes under "SelectedLanguage" and
// "TargetDevice"; SaveValues also turns them into g_iLangID / g_iTargetModel.
class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* parent = nullptr);

    void LoadValues();
    void SaveValues();

    QComboBox* LanguageCombo() const { return m_pLanguage; }
    QComboBox* TargetDeviceCombo() const { return m_pTargetDevice; }
    QComboBox* GridSizeCombo() const { return m_pGridSize; }

    // The grid size of the page canvases (instrument pixels), stored under
    // "GridSize"; an unknown stored value gives the default.
    static int StoredGridSize();
    QDialogButtonBox* ButtonBox() const { return m_pButtons; }

private:
    void BuildForm();

    QFormLayout* m_pForm = nullptr;
    QComboBox* m_pLanguage = nullptr;
    QComboBox* m_pTargetDevice = nullptr;
    QComboBox* m_pGridSize = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};

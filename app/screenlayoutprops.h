#pragma once
#include <QDialog>
#include <QVector>

class QCheckBox;
class QDialogButtonBox;
class QGroupBox;
class QLineEdit;

// Page properties: the page's name, whether the instrument shows it, and the
// flight events on which the instrument switches to it.
class ScreenLayoutProps : public QDialog
{
    Q_OBJECT
public:
    explicit ScreenLayoutProps(QWidget* parent = nullptr);

    void SetValues(const QString& strName, int iTrigger, int iDisabled);
    QString GetPageName() const;
    int GetTrigger() const;
    int GetDisabled() const;

    // Trigger texts in bit order, untranslated.
    static const char* const TriggerTexts[6];

    QLineEdit* NameEdit() const { return pageNameLineEdit; }
    QGroupBox* EnabledBox() const { return groupBox; }
    QCheckBox* TriggerCheck(int iBit) const;
    QDialogButtonBox* ButtonBox() const { return buttonBox; }

private:
    QDialogButtonBox* buttonBox;
    QLineEdit* pageNameLineEdit;
    QGroupBox* groupBox;
};

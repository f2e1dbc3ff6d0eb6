#pragma once
#include <QDialog>

class QCheckBox;
class QRadioButton;

// "Copy page to...": the pages to copy a page to, and whether they show the
// page's own elements or copies of them.
class CopyPageDialog : public QDialog
{
    Q_OBJECT
public:
    CopyPageDialog(int iFromPage, QWidget* parent = nullptr);

    quint32 Pages() const;  // bit i: page i chosen
    bool Duplicate() const; // copies rather than the same elements
    void SetPages(quint32 uPages);
    void SetDuplicate(bool bDuplicate);

private:
    QCheckBox* m_Pages[16] = {};
    QRadioButton* m_pShow = nullptr;
    QRadioButton* m_pCopies = nullptr;
};

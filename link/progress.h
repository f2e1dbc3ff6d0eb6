#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;

// Non-modal dialog showing a running transfer: a progress bar and one
// status line.
class Progress : public QDialog
{
    Q_OBJECT
public:
    explicit Progress(QWidget* parent = nullptr);

    void ShowMessage(const QString& strMessage);
    void SetProgresMax(int iMax);
    void UpdateProgress(int iValue);

    QString Message() const;
    int ProgressValue() const;
    int ProgressMax() const;

private:
    QProgressBar* progressBar;
    QLabel* label;
    QLabel* label_2;
};

#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;

// Shows iValue of iMaximum on a bar. Nothing to transfer (a maximum of 0) is
// shown as a full bar, never as Qt's busy indicator.
void ShowBarProgress(QProgressBar* bar, int iValue, int iMaximum);

// Non-modal dialog showing a running transfer: a progress bar and one
// status line.
class Progress : public QDialog
{
    Q_OBJECT
public:
    explicit Progress(QWidget* parent = nullptr);

    void ShowMessage(const QString& strMessage);
    void SetProgresMax(int iMaximum);
    void UpdateProgress(int iNewValue);

    QString Message() const;
    int ProgressValue() const;
    int ProgressMax() const;

private:
    QProgressBar* progressBar;
    int iValue;
    int iMax;
    QLabel* label;
    QLabel* label_2;
};

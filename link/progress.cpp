#include "progress.h"

#include <QIcon>
#include <QLabel>
#include <QProgressBar>

namespace {
constexpr int kInitialProgress = 24; // shown until the first transfer sets it
constexpr int kInitialMaximum = 100; // Qt's default
} // namespace

void ShowBarProgress(QProgressBar* bar, int iValue, int iMaximum)
{
    if (iMaximum <= 0) {
        bar->setRange(0, 1);
        bar->setValue(1);
        return;
    }
    bar->setRange(0, iMaximum);
    bar->setValue(qBound(0, iValue, iMaximum));
}

Progress::Progress(QWidget* parent)
    : QDialog(parent)
    , iValue(kInitialProgress)
    , iMax(kInitialMaximum)
{
    setObjectName(QStringLiteral("Progress"));
    resize(521, 150);
    setWindowIcon(QIcon(QStringLiteral(":/images/main_design_iconSQ.png"))); // the program's own icon
    setWindowTitle(tr("Progress"));
    setModal(false);

    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(20, 40, 481, 23);
    ShowBarProgress(progressBar, iValue, iMax);

    label = new QLabel(tr("Sending:"), this);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(20, 20, 62, 16);

    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    // Two lines: a port problem names the port and where to read more.
    label_2->setGeometry(20, 90, 481, 40);
    label_2->setWordWrap(true);
    label_2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Progress::ShowMessage(const QString& strMessage)
{
    label_2->setText(strMessage);
}

void Progress::SetProgresMax(int iMaximum)
{
    iMax = iMaximum;
    ShowBarProgress(progressBar, iValue, iMax);
}

void Progress::UpdateProgress(int iNewValue)
{
    iValue = iNewValue;
    ShowBarProgress(progressBar, iValue, iMax);
}

QString Progress::Message() const
{
    return label_2->text();
}

int Progress::ProgressValue() const
{
    return iValue;
}

int Progress::ProgressMax() const
{
    return iMax;
}

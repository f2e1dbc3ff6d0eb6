#pragma once
#include <QDialog>

class firmwareToDevice;
class Ui_firmwareSender;

// The "Firmware upload" dialog: picks an image file, runs one transfer at a
// time and shows its messages and progress. It stays open while a transfer
// runs; a close request then asks the transfer to stop instead.
class firmwareSender : public QDialog
{
    Q_OBJECT
public:
    explicit firmwareSender(QWidget* parent = nullptr);
    ~firmwareSender() override;

    bool IsSending() const;

public slots:
    void onSend();
    void sendMsgs(const QString& text);
    void showProgress(int value, int maximum);
    void onThreadEnd();
    void onBrowseFiles();
    void onGetLayout();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // True (and the transfer asked to stop) while a transfer still runs.
    bool RefuseToClose();

    firmwareToDevice* worker = nullptr;
    Ui_firmwareSender* form = nullptr;
    bool bStopping = false; // a close asked the running transfer to stop
    QString strLastMessage; // the worker's, kept while "Stopping…" shows
};

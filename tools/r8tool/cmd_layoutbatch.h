#pragma once
#include <QString>
#include <QStringList>

// Reads a layout file and builds the batch "Send to device" would queue.
// 0 on success, else the exit code after printing what went wrong
// (unreadable file, or "Layout has no elements!").
int LayoutBatchFromFile(const QString& path, int iModel, QStringList* pBatch);

// Arguments shared by layout-batch and send: one LAYOUT path, "--model ID"
// and, where pbFramed is given, "--framed". 0 when good, else the exit code
// after the usage message.
int ParseLayoutArgs(const char* command, const QStringList& args, QString* pPath, int* piModel, bool* pbFramed);

#pragma once
#include "pageprops.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class R8element;

// The sentence bodies that program the instrument's pages with a layout:
// "PZVFLO,START", one sentence per element on at least one page (list
// order, null slots skipped), page names, triggers of enabled pages, the
// disabled-page mask and "PZVFLO,END". Empty when no element is on a page:
// then there is nothing to send. Reads at most R8_PAGE_COUNT pages.
QStringList BuildLayoutBatch(const QList<R8element*>& elements, const QVector<PageProps>& pages);

// "PZVFLO,type,field,x,y,w,h,attribs,pages,min,max" of one element.
QString ElementSentence(const R8element& element);
// Elements on at least one page (null slots skipped).
int ElementsOnPages(const QList<R8element*>& elements);
// Bit i set when page i is disabled.
quint32 DisabledPageMask(const QVector<PageProps>& pages);
// The page name as the instrument gets it: without the characters that would
// break the sentence (",", "*", "$", control characters) and short enough that
// "PZVFLO,NAME,<page>,<name>)" stays within one sentence. The layout keeps the
// name as typed.
QString PageNameForDevice(const QString& strName, int iPage);

// The firmware dialog's hidden "Get Layout": connects, empties the
// instrument's output and disconnects. False when no instrument answered.
bool GetLayoutFromDevice();

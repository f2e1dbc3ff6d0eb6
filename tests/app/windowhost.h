// What the window tests share: placing elements, the bytes the layout
// would be saved as, and answering what a command opens.
#pragma once
#include "layoutfile.h"
#include "mainwindow.h"
#include "r8element.h"
#include "screenthumb.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <QUndoStack>
#include <QtTest>
#include <memory>

namespace WindowHost {

inline R8element* Place(MainWindow& w, int iType, QPoint pos, unsigned int uPages, int iField = 0)
{
    R8element* el = w.Elements().at(w.AddElement(iType));
    el->RestorePosition(pos);
    el->RestorePages(uPages);
    if (iField)
        el->RestoreField(iField);
    return el;
}

inline QAction* Act(const MainWindow& w, const char* name)
{
    return w.findChild<QAction*>(QLatin1String(name));
}

// The saved file's bytes, without saving (the modified mark stays).
inline QByteArray Content(const MainWindow& w)
{
    return LayoutFile::Write(w.Elements(), w.PagesProps());
}

// An altitude box with its own attributes and range on page 0, a vario dial
// on pages 0 and 2, two overlapping boxes on page 3; page 1 named, page 5
// triggered and disabled; no history: a layout as loaded. Gives its bytes.
inline QByteArray SampleLayout(MainWindow& w)
{
    R8element* box = Place(w, R8_TYPE_DATAFIELD, QPoint(12, 30), 0x1, 33);
    box->RestoreAttribs(R8_ATTR_BORDER | R8_ATTR_CENTER | 1);
    box->SetRangeMin(-3.0f);
    Place(w, R8_TYPE_DIAL, QPoint(100, 150), 0x5, 105);
    Place(w, R8_TYPE_DATAFIELD, QPoint(0, 200), 0x8, 33);
    Place(w, R8_TYPE_DATAFIELD, QPoint(30, 210), 0x8, 147);
    w.Thumb(1)->SetName(QStringLiteral("Glide"));
    w.Thumb(5)->SetTrigger(2);
    w.Thumb(5)->SetDisabled(1);
    w.undoStack()->clear();
    return Content(w);
}

// Runs edit on the next dialog, which must be a Dialog.
template <class Dialog>
void OnNextDialog(const std::function<void(Dialog*)>& edit)
{
    TestEnv::OnNextModal([edit](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog*>(modal);
        QVERIFY(dialog);
        edit(dialog);
    });
}

// Clicks the button of the next message box whose text (without its '&')
// is given, and keeps the box's texts.
inline void AnswerNextBox(const QString& button, QString* text = nullptr)
{
    OnNextDialog<QMessageBox>([button, text](QMessageBox* box) {
        if (text)
            *text =
                box->text() + QLatin1Char('\n') + box->informativeText() + QLatin1Char('\n') + box->detailedText();
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove(QLatin1Char('&')) == button)
                return b->click();
        box->done(0); // not a hang, a failure
        QFAIL(qPrintable(QLatin1String("no button ") + button));
    });
}

} // namespace WindowHost

// What the window tests share: placing elements, the bytes the layout
// would be saved as, and answering what a command opens.
#pragma once
#include "layoutfile.h"
#include "mainwindow.h"
#include "r8element.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
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

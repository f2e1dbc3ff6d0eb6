// Alignment and formatting of the selection. Every change goes through the
// announcing setters, so each changed element records its own undo step.
#include "screenlayout.h"
#include "r8element.h"

#include <algorithm>

namespace {

enum Edge { Top, Bottom, Left, Right };

// The reference of a multiple selection, if there is one.
R8element* Reference()
{
    for (R8element* el : qAsConst(R8selectedElements))
        if (el->IsSelected() == 2)
            return el;
    return nullptr;
}

int Far(const R8element* el, bool bHorizontal)
{
    return bHorizontal ? el->GetPosition().x() + el->GetSize().width()
                       : el->GetPosition().y() + el->GetSize().height();
}

int Near(const R8element* el, bool bHorizontal)
{
    return bHorizontal ? el->GetPosition().x() : el->GetPosition().y();
}

} // namespace

unsigned int ScreenLayout::AlignEdges(int iEdge)
{
    if (R8selectedElements.isEmpty())
        return 0;
    const bool bHorizontal = iEdge == Left || iEdge == Right;
    const bool bFar = iEdge == Bottom || iEdge == Right;
    int iTarget;
    if (R8selectedElements.size() == 1) {
        iTarget = bFar ? (bHorizontal ? R8_SCREEN_WIDTH : R8_SCREEN_HEIGHT) : 0;
    } else if (const R8element* ref = Reference()) {
        iTarget = bFar ? Far(ref, bHorizontal) : Near(ref, bHorizontal);
    } else {
        iTarget =
            bFar ? Far(R8selectedElements.first(), bHorizontal) : Near(R8selectedElements.first(), bHorizontal);
        for (const R8element* el : qAsConst(R8selectedElements))
            iTarget = bFar ? std::max(iTarget, Far(el, bHorizontal)) : std::min(iTarget, Near(el, bHorizontal));
    }
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        if (bHorizontal)
            el->SetPositionX(bFar ? iTarget - el->GetSize().width() : iTarget);
        else
            el->SetPositionY(bFar ? iTarget - el->GetSize().height() : iTarget);
        el->RepairPosition();
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::AlignSizes(bool bWidth)
{
    if (R8selectedElements.isEmpty())
        return 0;
    auto extent = [bWidth](const R8element* el) { return bWidth ? el->GetSize().width() : el->GetSize().height(); };
    int iTarget = extent(R8selectedElements.first());
    if (R8selectedElements.size() > 1) {
        if (const R8element* ref = Reference()) {
            iTarget = extent(ref);
        } else {
            for (const R8element* el : qAsConst(R8selectedElements))
                iTarget = std::max(iTarget, extent(el));
        }
    }
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        if (bWidth)
            el->SetWidth(iTarget);
        else
            el->SetHeight(iTarget);
        el->RepairPosition();
        // Rebuild: fixed outlines take their own size back, a dial squares.
        el->SetZoom(-1.0f);
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::AlignCentres(bool bHorizontal)
{
    if (R8selectedElements.isEmpty())
        return 0;
    int lo, hi;
    if (R8selectedElements.size() == 1) {
        lo = 0;
        hi = bHorizontal ? R8_SCREEN_WIDTH : R8_SCREEN_HEIGHT;
    } else if (const R8element* ref = Reference()) {
        lo = Near(ref, bHorizontal);
        hi = Far(ref, bHorizontal);
    } else {
        lo = Near(R8selectedElements.first(), bHorizontal);
        hi = Far(R8selectedElements.first(), bHorizontal);
        for (const R8element* el : qAsConst(R8selectedElements)) {
            lo = std::min(lo, Near(el, bHorizontal));
            hi = std::max(hi, Far(el, bHorizontal));
        }
    }
    if (lo == hi)
        return 0;
    const int c = lo + (hi - lo) / 2;
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        if (bHorizontal)
            el->SetPositionX(c - el->GetSize().width() / 2);
        else
            el->SetPositionY(c - el->GetSize().height() / 2);
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::AlignTop()
{
    return AlignEdges(Top);
}

unsigned int ScreenLayout::AlignBottom()
{
    return AlignEdges(Bottom);
}

unsigned int ScreenLayout::AlignLeft()
{
    return AlignEdges(Left);
}

unsigned int ScreenLayout::AlignRight()
{
    return AlignEdges(Right);
}

unsigned int ScreenLayout::AlignCenter()
{
    return AlignCentres(true);
}

unsigned int ScreenLayout::AlignMiddle()
{
    return AlignCentres(false);
}

unsigned int ScreenLayout::AlignHeight()
{
    return AlignSizes(false);
}

unsigned int ScreenLayout::AlignWidth()
{
    return AlignSizes(true);
}

unsigned int ScreenLayout::AlignJoinHorizontal()
{
    if (R8selectedElements.size() != 2)
        return 0;
    R8element* a = R8selectedElements.at(0);
    R8element* b = R8selectedElements.at(1);
    R8element* pMover = nullptr;
    R8element* pOther = nullptr;
    // NOLINTBEGIN(bugprone-branch-clone): the reference stays, else the right one moves
    if (a->IsSelected() == 2) {
        pMover = b;
        pOther = a;
    } else if (b->IsSelected() == 2) {
        pMover = a;
        pOther = b;
    } else if (b->GetPosition().x() > a->GetPosition().x()) {
        pMover = b;
        pOther = a;
    } else {
        pMover = a;
        pOther = b;
    }
    // NOLINTEND(bugprone-branch-clone)
    const int x = pMover->GetPosition().x() >= pOther->GetPosition().x()
                      ? pOther->GetPosition().x() + pOther->GetSize().width() - 1
                      // Left of the reference: share its first column, as
                      // every other join shares one.
                      : pOther->GetPosition().x() - pMover->GetSize().width() + 1;
    pMover->SetPositionX(x);
    pMover->RepairPosition();
    return a->OnPages() | b->OnPages();
}

unsigned int ScreenLayout::AlignJoinVertical()
{
    if (R8selectedElements.size() != 2)
        return 0;
    R8element* a = R8selectedElements.at(0);
    R8element* b = R8selectedElements.at(1);
    R8element* pMover = b->GetPosition().y() > a->GetPosition().y() ? b : a;
    const R8element* pOther = pMover == a ? b : a;
    pMover->SetPositionY(pOther->GetPosition().y() + pOther->GetSize().height() - 1);
    pMover->RepairPosition();
    return a->OnPages() | b->OnPages();
}

unsigned int ScreenLayout::AlignTextOf(void (R8element::*pAlign)())
{
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        if (el->GetType() != R8_TYPE_DATAFIELD)
            continue;
        (el->*pAlign)();
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::TextAlignRight()
{
    return AlignTextOf(&R8element::AttribTextAlignRight);
}

unsigned int ScreenLayout::TextAlignCenter()
{
    return AlignTextOf(&R8element::AttribTextAlignCenter);
}

unsigned int ScreenLayout::TextAlignLeft()
{
    return AlignTextOf(&R8element::AttribTextAlignLeft);
}

// Font and autosize commands are offered but not defined yet.
unsigned int ScreenLayout::LargeFont()
{
    return 0;
}

unsigned int ScreenLayout::NormalFont()
{
    return 0;
}

unsigned int ScreenLayout::TinyFont()
{
    return 0;
}

unsigned int ScreenLayout::AutoSize()
{
    return 0;
}

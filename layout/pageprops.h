#pragma once
#include <QString>
#include <QtGlobal>

// The properties of one instrument page: what a page thumbnail holds and
// what the layout file and the layout transfer read.
struct PageProps {
    QString Name;
    quint32 Trigger = 0; // bit 0 airspace warning ... bit 5 power up
    int Disabled = 0;    // 1 when the page is not shown by the instrument

    bool operator==(const PageProps& o) const
    {
        return Name == o.Name && Trigger == o.Trigger && Disabled == o.Disabled;
    }
    bool operator!=(const PageProps& o) const { return !(*this == o); }
};

constexpr int R8_PAGE_COUNT = 16;

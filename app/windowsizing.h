#pragma once
#include <QList>

// The main window's zoom and fixed size, chosen so that the enlarged
// instrument screen fits the available height of every screen.
struct WindowSizing {
    float scale = 2.0f; // screen pixels per instrument pixel
    int width = 830;
    int height = 720;
};

// availableHeights: the available height of each screen, in the order the
// platform lists them. A later screen is compared with the height left by an
// earlier one.
WindowSizing ComputeWindowSizing(const QList<int>& availableHeights);

// Tool box geometry for a scale: the column's x and the y of a row offset.
int ToolBoxX(float scale);
int ToolBoxY(float scale, int k);

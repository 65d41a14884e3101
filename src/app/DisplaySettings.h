#pragma once

#include "render/PageRenderer.h"

class Profile;

// The display switches of the drawing view. The six persisted ones are read from the
// settings profile when the view is created and written back when it is destroyed;
// the preview flag lives for the run only (edit display at start).
struct DisplaySettings
{
    bool grid = false;          // "DISPGRID"
    int gridUnit = 0;           // "GRIDNUM": 0, 1, 5 or 10 (mm)
    bool regionNumbers = false; // "RNUM"
    bool sheetNumbers = false;  // "LNUM"
    bool lineNumbers = false;   // "KNUM"
    bool paperPicture = false;  // "DISPSPIC"
    bool preview = false;

    // A missing key takes its default (0).
    static DisplaySettings read(const Profile& profile);
    // Writes the six persisted keys, switches as 0 or 1.
    void write(Profile& profile) const;

    // What the page renderer is given for the screen.
    PageRenderer::Options rendererOptions() const;
};

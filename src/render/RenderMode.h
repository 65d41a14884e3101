#pragma once

// What a drawing is for.
// - Edit: the editing view: pictures are replaced by their labels, editing aids shown.
// - Preview: what printing draws, on the paper, with the on-screen selection aids.
// - Print: the printed content only.
enum class RenderMode
{
    Edit,
    Preview,
    Print
};

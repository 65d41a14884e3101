#pragma once
// Fit region to text: filled in with the merge work.

// Pixel-for-pixel comparison with the reference images in tests/data.
//
// A reference is regenerated only on purpose, after a deliberate change of
// the drawing: run the test binary with VANTREL_REGENERATE_IMAGES=1 and the
// test's --gtest_filter, then look at every image before committing it.
#pragma once

#include <QImage>

// Compares Image with the reference Name in Folder (or writes it there and
// skips the test when regenerating), reporting the first differing pixels.
void CheckAgainstReference(const QImage& Image, const char* Folder, const char* Name);

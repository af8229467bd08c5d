#pragma once

// A booklet of riddles on paged paint devices (printer, PDF): riddles in a grid of 1, 2, 4 or 6
// a page, each printed board with its number, level and, when known, its rating beneath; the
// solutions smaller, twelve a page, at the end; every page numbered.

#include "booklet/SdkBookletRiddles.h"

#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

struct SdkBookletLayout
{
    int perPage = 1; // 1, 2, 4 or 6; other values are taken as the next smaller one
    bool solutions = false;
    int language = 1; // 0 German, 1 English
};

namespace SdkBooklet {

inline constexpr int SolutionsPerPage = 12;

int PageCount(size_t riddles, const SdkBookletLayout &layout);

// The text beneath a riddle, e.g. "No. 3 · Level 2 · Rating 3.5".
QString Caption(int number, const SdkBookletRiddle &riddle, int language);

// Draws all pages with a painter already begun on device; false when a page could not be
// started.
bool Draw(QPainter &painter, QPagedPaintDevice &device,
          const std::vector<SdkBookletRiddle> &riddles, const SdkBookletLayout &layout);

// A PDF file of A4 pages written through a temporary file that replaces path only when every
// page was drawn, so a failure leaves nothing half-written under that name.
bool WritePdf(const QString &path, const QString &title,
              const std::function<bool(QPainter &, QPagedPaintDevice &)> &draw);

bool WriteBookletPdf(const QString &path, const std::vector<SdkBookletRiddle> &riddles,
                     const SdkBookletLayout &layout);

} // namespace SdkBooklet

#include "toolkit/foundation/bmp_resample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct KindInfo {
  const wchar_t* name;
  double width;
  bool adjustable;
};

const KindInfo kKinds[DibFilter::KindCount] = {
    {L"Box", 0.5, true},     {L"Linear", 1.0, false},      {L"Bilinear", 1.0, true},  {L"Hermite", 1.0, false},
    {L"Sinc", 1.0, false},   {L"Catmull-Rom", 2.0, false}, {L"B-Spline", 2.0, false}, {L"Blackman", 0.5, true},
    {L"Lanczos", 3.0, true}, {L"Quadratic", 1.0, false},   {L"Gaussian", 3.0, true},  {L"Hamming", 0.5, true},
    {L"Bicubic", 2.0, false},
};

bool KnownKind(int kind) { return kind >= 0 && kind < DibFilter::KindCount; }

double SincOf(double t) {
  if (t == 0.0) return 1.0;
  const double a = kPi * t;
  return std::sin(a) / a;
}

}  // namespace

DibFilter::DibFilter(int kind, const double* parameters, int count) : m_kind(kind) {
  ResetWidth();
  if (parameters)
    for (int i = 0; i < std::min(count, kParamCount); ++i) m_params[i] = parameters[i];
  if (kind == Bicubic) {
    if (!parameters || count < 2) m_params[0] = m_params[1] = 1.0 / 3.0;
    const double b = m_params[0], c = m_params[1];
    m_params[2] = (6.0 - 2.0 * b) / 6.0;                // P0
    m_params[3] = (-18.0 + 12.0 * b + 6.0 * c) / 6.0;   // P2
    m_params[4] = (12.0 - 9.0 * b - 6.0 * c) / 6.0;     // P3
    m_params[5] = (8.0 * b + 24.0 * c) / 6.0;           // Q0
    m_params[6] = (-12.0 * b - 48.0 * c) / 6.0;         // Q1
    m_params[7] = (6.0 * b + 30.0 * c) / 6.0;           // Q2
    m_params[8] = (-b - 6.0 * c) / 6.0;                 // Q3
  }
}

double DibFilter::DefaultWidth(int kind) { return KnownKind(kind) ? kKinds[kind].width : 0.0; }

void DibFilter::ResetWidth() { m_width = DefaultWidth(m_kind); }

bool DibFilter::IsWidthAdjustable() const { return KnownKind(m_kind) ? kKinds[m_kind].adjustable : true; }

double DibFilter::GetParam(int index) const { return index >= 0 && index < kParamCount ? m_params[index] : 0.0; }

int DibFilter::SetParam(int index, double value) {
  if (index >= 0 && index < kParamCount) m_params[index] = value;
  return index;
}

const wchar_t* DibFilter::GetName() const { return KnownKind(m_kind) ? kKinds[m_kind].name : L""; }

double DibFilter::Evaluate(double x) const {
  const double w = m_width;
  const double ax = std::fabs(x);
  switch (m_kind) {
  case Box:
    return ax <= w ? 1.0 : 0.0;
  case Linear:
    if (x >= -1.0 && x < 0.0) return x + 1.0;
    if (x >= 0.0 && x < 1.0) return 1.0 - x;
    return 0.0;
  case Bilinear:
    return ax < w ? w - ax : 0.0;
  case Hermite:
    if (x >= -1.0 && x < 0.0) return -2.0 * x * x * x - 3.0 * x * x + 1.0;
    if (x >= 0.0 && x < 1.0) return 2.0 * x * x * x - 3.0 * x * x + 1.0;
    return 0.0;
  case Sinc:
    return SincOf(x);
  case CatmullRom:
    if (x >= -2.0 && x < -1.0) return 0.5 * (x * x * x + 5.0 * x * x + 8.0 * x + 4.0);
    if (x >= -1.0 && x < 0.0) return 0.5 * (-3.0 * x * x * x - 5.0 * x * x + 2.0);
    if (x >= 0.0 && x < 1.0) return 0.5 * (3.0 * x * x * x - 5.0 * x * x + 2.0);
    if (x >= 1.0 && x < 2.0) return 0.5 * (-x * x * x + 5.0 * x * x - 8.0 * x + 4.0);
    return 0.0;
  case BSpline:
    if (ax < 1.0) return (3.0 * ax * ax * ax - 6.0 * ax * ax + 4.0) / 6.0;
    if (ax < 2.0) return (2.0 - ax) * (2.0 - ax) * (2.0 - ax) / 6.0;
    return 0.0;
  case Blackman: {
    if (ax > w || w <= 0.0) return 0.0;
    const double t = x / (2.0 * w);
    return 0.42 + 0.5 * std::cos(2.0 * kPi * t) + 0.08 * std::cos(4.0 * kPi * t);
  }
  case Lanczos:
    return ax < w ? SincOf(ax) * SincOf(ax / w) : 0.0;
  case Quadratic:
    if (x >= -1.5 && x < -0.5) return 0.5 * (x + 1.5) * (x + 1.5);
    if (x >= -0.5 && x < 0.5) return 0.75 - x * x;
    if (x >= 0.5 && x < 1.5) return 0.5 * (x - 1.5) * (x - 1.5);
    return 0.0;
  case Gaussian:
    return ax <= w ? std::exp(-x * x / 2.0) / std::sqrt(2.0 * kPi) : 0.0;
  case Hamming:
    return ax <= w ? (0.54 + 0.46 * std::cos(2.0 * kPi * x)) * SincOf(x) : 0.0;
  case Bicubic: {
    const double* p = m_params;
    if (ax < 1.0) return p[2] + ax * ax * (p[3] + p[4] * ax);
    if (ax < 2.0) return p[5] + ax * (p[6] + ax * (p[7] + p[8] * ax));
    return 0.0;
  }
  default:
    return 0.0;
  }
}

bool BuildResampleWeights(const DibFilter& filter, int sourceSize, int destinationSize, DibResampleWeights* table) {
  table->entries.clear();
  table->windowSize = 0;
  if (sourceSize < 1 || destinationSize < 1) return false;
  const double scale = static_cast<double>(destinationSize) / sourceSize;
  double width = filter.GetWidth();
  double kernelScale = 1.0;
  if (scale < 1.0) {  // shrinking widens the kernel over the source
    width /= scale;
    kernelScale = scale;
  }
  // A width the caller set badly (negative, not a number, vast) is held to what the source can
  // give: no contributor range grows past the whole source anyway.
  if (!(width >= 0.0))
    width = 0.0;
  else if (width > sourceSize + 2.0)
    width = sourceSize + 2.0;
  const int window = 2 * static_cast<int>(std::ceil(width)) + 1;
  try {
    table->windowSize = window;
    table->entries.resize(static_cast<std::size_t>(destinationSize));
    for (int i = 0; i < destinationSize; ++i) {
      DibResampleWeights::Entry& e = table->entries[static_cast<std::size_t>(i)];
      const double centre = i / scale + (0.5 / scale - 0.5);
      int left = std::max(0, static_cast<int>(std::floor(centre - width)));
      int right = std::min(sourceSize - 1, static_cast<int>(std::ceil(centre + width)));
      if (right - left + 1 > window) {
        if (left < sourceSize)
          ++left;
        else
          --right;
      }
      e.left = left;
      e.right = right;
      e.weights.assign(static_cast<std::size_t>(window), 0.0);
      double total = 0.0;
      for (int j = left; j <= right; ++j) {
        const double weight = kernelScale * filter.Evaluate(kernelScale * (centre - j));
        e.weights[static_cast<std::size_t>(j - left)] = weight;
        total += weight;
      }
      if (total > 0.0 && total != 1.0) {
        for (int j = left; j <= right; ++j) e.weights[static_cast<std::size_t>(j - left)] /= total;
        while (e.right > e.left && e.weights[static_cast<std::size_t>(e.right - e.left)] == 0.0) --e.right;
      }
    }
  } catch (const std::bad_alloc&) {
    table->entries.clear();
    table->entries.shrink_to_fit();
    table->windowSize = 0;
    return false;
  }
  return true;
}

namespace {

// How the bytes of one pixel are read and written.
struct PixelLayout {
  int bytes = 0;          // per pixel
  int channels = 0;       // accumulated channels
  bool packed16 = false;  // 16-bit fields resampled one by one
  bool alphaWeighted = false;
  int shift[3] = {};
  unsigned maximum[3] = {};
};

bool LayoutOf(const DibBlock& block, bool alphaWeighted, PixelLayout* layout) {
  switch (block.Depth()) {
  case 16: {
    layout->bytes = 2;
    layout->channels = 3;
    layout->packed16 = true;
    const bool is565 = block.redMask == kDibMasks565.red && block.greenMask == kDibMasks565.green &&
                       block.blueMask == kDibMasks565.blue;
    const int shifts[3] = {0, 5, is565 ? 11 : 10};  // blue, green, red fields
    const unsigned maxima[3] = {31, is565 ? 63u : 31u, 31};
    for (int c = 0; c < 3; ++c) {
      layout->shift[c] = shifts[c];
      layout->maximum[c] = maxima[c];
    }
    return true;
  }
  case 24:
    layout->bytes = 3;
    layout->channels = 3;
    return true;
  case 32:
    layout->bytes = 4;
    layout->channels = 4;
    layout->alphaWeighted = alphaWeighted && block.alphaMask != 0;
    return true;
  default:
    return false;
  }
}

int RoundHeld(double v, double maximum) {
  const double r = std::trunc(v + 0.5);
  return static_cast<int>(std::clamp(r, 0.0, maximum));
}

// Resamples one line of pixels (a row or a column): `step` bytes from one pixel to the next.
void ResampleLine(const PixelLayout& layout, const DibResampleWeights& table, const std::uint8_t* source,
                  std::ptrdiff_t sourceStep, std::uint8_t* target, std::ptrdiff_t targetStep) {
  for (std::size_t i = 0; i < table.entries.size(); ++i) {
    const DibResampleWeights::Entry& e = table.entries[i];
    double sum[4] = {};
    double weighted[3] = {};  // alpha-weighted colours
    double weightTotal = 0.0;
    for (int j = e.left; j <= e.right; ++j) {
      const double w = e.weights[static_cast<std::size_t>(j - e.left)];
      const std::uint8_t* p = source + sourceStep * j;
      if (layout.packed16) {
        const unsigned v = p[0] | (p[1] << 8);
        for (int c = 0; c < 3; ++c) sum[c] += w * ((v >> layout.shift[c]) & layout.maximum[c]);
        continue;
      }
      for (int c = 0; c < layout.channels; ++c) sum[c] += w * p[c];
      if (layout.alphaWeighted) {
        for (int c = 0; c < 3; ++c) weighted[c] += w * p[3] * p[c];
        weightTotal += w;
      }
    }
    std::uint8_t* out = target + targetStep * static_cast<std::ptrdiff_t>(i);
    if (layout.packed16) {
      unsigned v = 0;
      for (int c = 0; c < 3; ++c)
        v |= static_cast<unsigned>(RoundHeld(sum[c], layout.maximum[c])) << layout.shift[c];
      out[0] = static_cast<std::uint8_t>(v);
      out[1] = static_cast<std::uint8_t>(v >> 8);
      continue;
    }
    if (layout.alphaWeighted && sum[3] >= 0.5) {
      // Colours weighted by alpha and divided by the alpha weight again: transparent pixels
      // lend no colour (no dark fringes), and where the alpha is even the result is the plain
      // weighted sum.
      for (int c = 0; c < 3; ++c) sum[c] = weighted[c] * weightTotal / sum[3];
    }
    for (int c = 0; c < layout.channels; ++c) out[c] = static_cast<std::uint8_t>(RoundHeld(sum[c], 255.0));
  }
}

}  // namespace

DibPtr ResampleHorizontal(const DibBlock& source, int newWidth, const DibFilter& filter, bool alphaWeighted) {
  PixelLayout layout;
  if (!LayoutOf(source, alphaWeighted, &layout)) return nullptr;
  DibPtr out = DibAllocate(newWidth, source.Height(), source.Depth(), source.Masks(), source.flags);
  if (!out) return nullptr;
  if (newWidth == source.Width()) {
    std::memcpy(out->Rows(), source.Rows(), source.RowsSize());
    return out;
  }
  DibResampleWeights table;
  if (!BuildResampleWeights(filter, source.Width(), newWidth, &table)) return nullptr;
  for (int row = 0; row < source.Height(); ++row)
    ResampleLine(layout, table, source.Row(row), layout.bytes, out->Row(row), layout.bytes);
  return out;
}

DibPtr ResampleVertical(const DibBlock& source, int newHeight, const DibFilter& filter, bool alphaWeighted) {
  PixelLayout layout;
  if (!LayoutOf(source, alphaWeighted, &layout)) return nullptr;
  DibPtr out = DibAllocate(source.Width(), newHeight, source.Depth(), source.Masks(), source.flags);
  if (!out) return nullptr;
  if (newHeight == source.Height()) {
    std::memcpy(out->Rows(), source.Rows(), source.RowsSize());
    return out;
  }
  DibResampleWeights table;
  if (!BuildResampleWeights(filter, source.Height(), newHeight, &table)) return nullptr;
  const auto sourceStride = static_cast<std::ptrdiff_t>(source.Stride());
  const auto targetStride = static_cast<std::ptrdiff_t>(out->Stride());
  for (int x = 0; x < source.Width(); ++x) {
    const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(x) * layout.bytes;
    ResampleLine(layout, table, source.Rows() + offset, sourceStride, out->Rows() + offset, targetStride);
  }
  return out;
}

DibPtr ResampleDib(const DibBlock& source, int newWidth, int newHeight, const DibFilter& filter, bool alphaWeighted) {
  if (newWidth < 1 || newHeight < 1) return nullptr;
  const long long wideFirst = static_cast<long long>(newWidth) * source.Height();
  const long long tallFirst = static_cast<long long>(source.Width()) * newHeight;
  if (wideFirst > tallFirst) {  // the vertical pass first keeps the intermediate smaller
    DibPtr middle = ResampleVertical(source, newHeight, filter, alphaWeighted);
    return middle ? ResampleHorizontal(*middle, newWidth, filter, alphaWeighted) : nullptr;
  }
  DibPtr middle = ResampleHorizontal(source, newWidth, filter, alphaWeighted);
  return middle ? ResampleVertical(*middle, newHeight, filter, alphaWeighted) : nullptr;
}

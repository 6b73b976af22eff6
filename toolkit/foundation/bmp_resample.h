// Resampling of DIB blocks: the reconstruction kernels (box to bicubic), the per-direction
// contribution tables and the separable two-pass resampler behind CExtBitmap::Scale. No window
// calls, so it runs natively under the sanitizers.
#pragma once

#include <vector>

#include "toolkit/foundation/bmp_dib.h"

// One reconstruction kernel: its kind, support width and up to ten parameters. CExtBitmap knows
// it as CExtBitmap::Filter.
class DibFilter {
 public:
  enum Kind : int {
    Box = 0,
    Linear = 1,
    Bilinear = 2,
    Hermite = 3,
    Sinc = 4,
    CatmullRom = 5,
    BSpline = 6,
    Blackman = 7,
    Lanczos = 8,
    Quadratic = 9,
    Gaussian = 10,
    Hamming = 11,
    Bicubic = 12,
    KindCount = 13,
  };
  static constexpr int kParamCount = 10;

  // The kind's default width; `count` of the given parameters are copied (at most ten). A bicubic
  // kernel given fewer than two parameters uses B = C = 1/3; its polynomial coefficients are
  // computed here from B (parameter 0) and C (parameter 1) into parameters 2 to 8.
  explicit DibFilter(int kind = Box, const double* parameters = nullptr, int count = 0);
  virtual ~DibFilter() = default;

  // K(x); 0 outside the kernel's range and for an unknown kind.
  virtual double Evaluate(double x) const;
  virtual int GetKind() const { return m_kind; }
  // Only the kind changes; width and parameters stay.
  virtual void SetKind(int kind) { m_kind = kind; }
  virtual double GetWidth() const { return m_width; }
  virtual void SetWidth(double width) { m_width = width; }
  virtual void ResetWidth();
  virtual bool IsWidthAdjustable() const;
  virtual int GetParamCount() const { return kParamCount; }
  virtual double GetParam(int index) const;
  // Answers the index; nothing is stored outside 0..9.
  virtual int SetParam(int index, double value);
  // "" for an unknown kind.
  virtual const wchar_t* GetName() const;

  static double DefaultWidth(int kind);

 private:
  int m_kind = Box;
  double m_width = 0.5;
  double m_params[kParamCount] = {};
};

// The contribution table of one direction: per destination index the weights of the source
// indexes left..right (weights[0] belongs to left).
struct DibResampleWeights {
  struct Entry {
    std::vector<double> weights;
    int left = 0;
    int right = -1;
  };
  int windowSize = 0;
  std::vector<Entry> entries;
};

// False when the sizes are not positive or memory runs out (the table is left empty then).
bool BuildResampleWeights(const DibFilter& filter, int sourceSize, int destinationSize, DibResampleWeights* table);

// The passes: the source's rows (horizontal) or columns (vertical) resampled into a new block of
// the other width or height with the source's depth, masks and flags. With alphaWeighted, the
// colours of 32-bit blocks with an alpha mask are weighted by their alpha, so transparent pixels
// lend no colour to their neighbours. Null for unsupported depths or on allocation failure.
DibPtr ResampleHorizontal(const DibBlock& source, int newWidth, const DibFilter& filter, bool alphaWeighted);
DibPtr ResampleVertical(const DibBlock& source, int newHeight, const DibFilter& filter, bool alphaWeighted);
// Both passes, the one that keeps the intermediate block smaller first.
DibPtr ResampleDib(const DibBlock& source, int newWidth, int newHeight, const DibFilter& filter, bool alphaWeighted);

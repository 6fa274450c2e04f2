// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/HankelProduct.h"

#include <algorithm>
#include <cmath>

namespace {

// A smooth size of at least n; the spans the pencil takes fit one FFT call.
std::size_t TransformSize(std::size_t n) {
    return static_cast<std::size_t>(SmoothSize(std::max<std::size_t>(n, 1)));
}

} // namespace

THankelProduct::THankelProduct(const std::vector<double>& AValues, std::size_t ACols,
                               TProgress& AProgress)
    : FRows(AValues.size() - ACols + 1), FCols(ACols), FFft(TransformSize(AValues.size())),
      FSpectrum(AllocComplex(FFft.Size())), FPacked(AllocComplex(FFft.Size())),
      FProduct(AllocComplex(FFft.Size())) {
    const std::size_t n = AValues.size(), P = FFft.Size();
    std::fill(FSpectrum.get(), FSpectrum.get() + P, std::complex<double>());
    for (std::size_t m = 0; m < n; ++m) {
        FSpectrum[m] = AValues[m];
        // y(m) stands in H once for every i + j = m.
        const std::size_t Count = std::min({m + 1, FCols, FRows, n - m});
        FFrobeniusSquared += static_cast<double>(Count) * AValues[m] * AValues[m];
    }
    FFft.Forward(FSpectrum.get(), nullptr, AProgress);
}

Eigen::MatrixXd THankelProduct::Times(const Eigen::MatrixXd& X, TProgress& AProgress) {
    return Correlate(X, FRows, AProgress);
}

Eigen::MatrixXd THankelProduct::TransposeTimes(const Eigen::MatrixXd& U, TProgress& AProgress) {
    return Correlate(U, FCols, AProgress);
}

Eigen::MatrixXd THankelProduct::Correlate(const Eigen::MatrixXd& AIn, std::size_t AOutRows,
                                          TProgress& AProgress) {
    // With the size P at least n = Rows + Cols - 1, the circular correlation never
    // wraps onto the outputs kept. Two real columns travel as one complex series.
    const std::size_t P = FFft.Size();
    const auto InRows = static_cast<std::size_t>(AIn.rows());
    Eigen::MatrixXd Out(static_cast<Eigen::Index>(AOutRows), AIn.cols());
    // Single-call sizes keep the bins in natural order.
    const bool Natural = TComplexFft::IsSingleCall(P);
    const auto At = [&](std::size_t f) { return Natural ? f : FFft.Position(f); };
    for (Eigen::Index c = 0; c < AIn.cols(); c += 2) {
        const bool Pair = c + 1 < AIn.cols();
        const double* Re = AIn.col(c).data();
        const double* Im = Pair ? AIn.col(c + 1).data() : nullptr;
        std::complex<double>* x = FPacked.get();
        for (std::size_t k = 0; k < InRows; ++k)
            x[k] = {Re[k], Im ? Im[k] : 0.0};
        std::fill(x + InRows, x + P, std::complex<double>());
        FFft.Forward(x, nullptr, AProgress);
        // The correlation's transform at bin f is Y(f) X(-f).
        for (std::size_t f = 0; f < P; ++f)
            FProduct[At(f)] = FSpectrum[At(f)] * x[At((P - f) % P)];
        FFft.Backward(FProduct.get(), nullptr, AProgress);
        const double Scale = 1.0 / static_cast<double>(P);
        double* OutRe = Out.col(c).data();
        double* OutIm = Pair ? Out.col(c + 1).data() : nullptr;
        for (std::size_t i = 0; i < AOutRows; ++i) {
            OutRe[i] = FProduct[i].real() * Scale;
            if (OutIm)
                OutIm[i] = FProduct[i].imag() * Scale;
        }
    }
    return Out;
}

TWork THankelProduct::Work(std::size_t n, std::size_t AColumns) {
    const std::size_t P = TransformSize(n);
    const double Pairs = static_cast<double>((AColumns + 1) / 2);
    // Two transforms of P points per pair of columns, and the products between them.
    TWork Products;
    Products.Flops = 12 * static_cast<double>(P);
    return (TComplexFft::Work(P) * 2 + Products) * Pairs;
}

std::uint64_t THankelProduct::Bytes(std::size_t n) {
    const std::uint64_t P = TransformSize(n);
    return 3 * 16 * P + TComplexFft::Bytes(P);
}

// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/FftKernel.h"
#include "analysis/Progress.h"
#include "analysis/WorkCost.h"

#include <Eigen/Core>

#include <cstddef>
#include <cstdint>
#include <vector>

// The Hankel matrix H(i, j) = y(i + j) of a series of n values, with ACols columns
// and n - ACols + 1 rows, multiplied with blocks of vectors by fast correlation: a
// product costs two transforms of a smooth size of at least n per pair of columns,
// and H itself is never formed.
class THankelProduct {
public:
    THankelProduct(const std::vector<double>& AValues, std::size_t ACols, TProgress& AProgress);

    Eigen::Index Rows() const { return static_cast<Eigen::Index>(FRows); }
    Eigen::Index Cols() const { return static_cast<Eigen::Index>(FCols); }

    // H X (X has Cols rows) and H^T U (U has Rows rows).
    Eigen::MatrixXd Times(const Eigen::MatrixXd& X, TProgress& AProgress);
    Eigen::MatrixXd TransposeTimes(const Eigen::MatrixXd& U, TProgress& AProgress);

    // The sum of the squares of all elements of H.
    double FrobeniusSquared() const { return FFrobeniusSquared; }

    // Estimated seconds of one product with AColumns vectors, for n values.
    static TWork Work(std::size_t n, std::size_t AColumns);
    // Memory besides the blocks, in bytes.
    static std::uint64_t Bytes(std::size_t n);

private:
    // Out(i, c) = sum over m of y(m) In(m - i, c), for i < AOutRows.
    Eigen::MatrixXd Correlate(const Eigen::MatrixXd& AIn, std::size_t AOutRows,
                              TProgress& AProgress);

    std::size_t FRows, FCols;
    TComplexFft FFft;
    TComplexArray FSpectrum; // the transform of y
    TComplexArray FPacked, FProduct;
    double FFrobeniusSquared = 0;
};

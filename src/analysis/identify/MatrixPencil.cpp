// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis/identify/MatrixPencil.h"

#include "analysis/identify/HankelProduct.h"

#include <Eigen/Eigenvalues>
#include <Eigen/QR>
#include <Eigen/SVD>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Extra directions of the random sketch beyond the largest order, and the rounds of
// subspace iteration that sharpen it where noise flattens the singular values.
constexpr Eigen::Index Oversampling = 10;
constexpr int PowerRounds = 2;
// Singular values below this share of the largest are rounding, not signal.
constexpr double RoundingShare = 1e-10;
// How far above the mean square of the trailing singular values the largest one of
// white noise reaches, with room to spare: (1 + sqrt(Cols / Rows))^2 for a random
// matrix, times two for the Hankel structure's longer tail.
double NoiseMargin(Eigen::Index ARows, Eigen::Index ACols) {
    const double Ratio =
        static_cast<double>(std::min(ARows, ACols)) / static_cast<double>(std::max(ARows, ACols));
    const double Edge = 1 + std::sqrt(Ratio);
    return 2 * Edge * Edge;
}

Eigen::MatrixXd Orthonormal(const Eigen::MatrixXd& X) {
    const Eigen::HouseholderQR<Eigen::MatrixXd> Qr(X);
    return Qr.householderQ() * Eigen::MatrixXd::Identity(X.rows(), X.cols());
}

Eigen::Index SketchSize(Eigen::Index ARows, Eigen::Index ACols, int AMaxOrder) {
    return std::min<Eigen::Index>({AMaxOrder + Oversampling, ARows, ACols});
}

// The orthonormalisations and the last factorisation: a few l^2 flops per value.
TWork DenseWork(std::size_t n, Eigen::Index l) {
    TWork Work;
    Work.Flops = static_cast<double>(l * l) * static_cast<double>(n) * (PowerRounds + 1);
    return Work;
}

Eigen::Index PencilCols(std::size_t n) {
    return static_cast<Eigen::Index>(n / 3 + 1);
}

// How many singular values stand above both the noise floor, estimated from the
// energy that the sketch left out, and rounding.
int ChooseOrder(const Eigen::VectorXd& s, double AFrobeniusSquared, Eigen::Index ARows,
                Eigen::Index ACols, int AMaxOrder) {
    if (s.size() == 0 || !(s(0) > 0))
        return 0;
    double Floor = RoundingShare * RoundingShare * s(0) * s(0);
    const Eigen::Index Rest = std::min(ARows, ACols) - s.size();
    if (Rest > 0) {
        const double Tail = std::max(0.0, AFrobeniusSquared - s.squaredNorm());
        Floor = std::max(Floor, NoiseMargin(ARows, ACols) * Tail / static_cast<double>(Rest));
    }
    int Order = 0;
    while (Order < std::min<Eigen::Index>(AMaxOrder, s.size()) && s(Order) * s(Order) > Floor)
        ++Order;
    return Order;
}

} // namespace

TPencilPoles PencilPoles(const std::vector<double>& AValues, int AMaxOrder, TProgress& AProgress) {
    const std::size_t n = AValues.size();
    THankelProduct H(AValues, static_cast<std::size_t>(PencilCols(n)), AProgress);
    const Eigen::Index l = SketchSize(H.Rows(), H.Cols(), AMaxOrder);

    // The leading right singular vectors of H by a randomized range finder with
    // subspace iteration on H^T H (Halko, Martinsson and Tropp, 2011), kept on the
    // side of the columns, which is half as long; a fixed seed keeps results repeatable.
    std::mt19937_64 Random(20110101);
    std::normal_distribution<double> Normal;
    Eigen::MatrixXd X(H.Cols(), l);
    for (Eigen::Index j = 0; j < X.cols(); ++j)
        for (Eigen::Index i = 0; i < X.rows(); ++i)
            X(i, j) = Normal(Random);
    const double DenseStep = Seconds(DenseWork(n, l)) / (PowerRounds + 1);
    for (int Round = 0; Round < PowerRounds; ++Round) {
        X = Orthonormal(H.TransposeTimes(H.Times(X, AProgress), AProgress));
        AProgress.Advance(DenseStep);
    }
    // Within the span of X, the singular vectors of H X = Q R are X times those of R.
    const Eigen::HouseholderQR<Eigen::MatrixXd> Qr(H.Times(X, AProgress));
    const Eigen::MatrixXd Rx = Qr.matrixQR().topRows(l).triangularView<Eigen::Upper>();
    const Eigen::JacobiSVD<Eigen::MatrixXd> Svd(Rx, Eigen::ComputeFullV);
    AProgress.Advance(DenseStep);

    TPencilPoles Result;
    // The shifted subspace has Cols - 1 rows, which must not be fewer than the poles.
    const int MaxOrder = static_cast<int>(std::min<Eigen::Index>(AMaxOrder, H.Cols() - 1));
    Result.Order =
        ChooseOrder(Svd.singularValues(), H.FrobeniusSquared(), H.Rows(), H.Cols(), MaxOrder);
    if (Result.Order == 0)
        return Result;
    // The signal subspace shifted by one sample: V2 = V1 Z, whose eigenvalues are the poles.
    const Eigen::MatrixXd V = X * Svd.matrixV().leftCols(Result.Order);
    const Eigen::MatrixXd V1 = V.topRows(V.rows() - 1), V2 = V.bottomRows(V.rows() - 1);
    const Eigen::MatrixXd Z = V1.colPivHouseholderQr().solve(V2);
    const Eigen::EigenSolver<Eigen::MatrixXd> Solver(Z, false);
    for (Eigen::Index k = 0; k < Solver.eigenvalues().size(); ++k)
        Result.Poles.push_back(Solver.eigenvalues()(k));
    return Result;
}

TWork PencilWork(std::size_t n, int AMaxOrder) {
    const auto Cols = PencilCols(n);
    const auto Rows = static_cast<Eigen::Index>(n) - Cols + 1;
    const Eigen::Index l = SketchSize(Rows, Cols, AMaxOrder);
    const double Products = 2 * PowerRounds + 1;
    return THankelProduct::Work(n, static_cast<std::size_t>(l)) * Products + DenseWork(n, l);
}

std::uint64_t PencilBytes(std::size_t n, int AMaxOrder) {
    const auto l = static_cast<std::uint64_t>(std::max(AMaxOrder, 0) + Oversampling);
    // Blocks of Rows x l and Cols x l doubles, a few of each at once: 3 n l at most.
    return THankelProduct::Bytes(n) + 3 * 8 * l * static_cast<std::uint64_t>(n);
}

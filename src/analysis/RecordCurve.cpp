#include "analysis/RecordCurve.h"

#include <cmath>

void AddRecordToCurve(const TRecord& ARecord, double Adt, std::size_t AFirst,
                      std::span<double> ABlock) {
    const std::vector<double>& s = ARecord.Samples();
    const double Step = ARecord.StepFor(Adt);
    if (s.empty() || !(Step > 0) || !(Adt > 0))
        return;
    const double Gain = ARecord.Gain();
    // Position of curve sample i among the record's samples: i * Ratio - Offset. The
    // ratio is exactly 1 when the steps agree, so that the positions are whole.
    const double Ratio = Adt / Step;
    const double Offset = (ARecord.Shift() + ARecord.Start()) / Step;
    const double Last = static_cast<double>(s.size() - 1);

    if (Ratio == 1 && Offset == std::floor(Offset) && std::abs(Offset) < 0x1p52) {
        const auto Delay = static_cast<long long>(Offset);
        for (std::size_t k = 0; k < ABlock.size(); ++k) {
            const long long j = static_cast<long long>(AFirst + k) - Delay;
            if (j >= 0 && j < static_cast<long long>(s.size()))
                ABlock[k] += Gain * s[static_cast<std::size_t>(j)];
        }
        return;
    }
    for (std::size_t k = 0; k < ABlock.size(); ++k) {
        const double Position = static_cast<double>(AFirst + k) * Ratio - Offset;
        if (!(Position >= 0 && Position <= Last))
            continue;
        const auto j = static_cast<std::size_t>(Position);
        const double f = Position - static_cast<double>(j);
        const double Value = f == 0 ? s[j] : s[j] + f * (s[j + 1] - s[j]);
        ABlock[k] += Gain * Value;
    }
}

void AddRecordsToCurve(const TRecords& ARecords, double Adt, std::size_t AFirst,
                       std::span<double> ABlock) {
    for (int i = 0; i < ARecords.Count(); ++i)
        if (ARecords[i].Contributes())
            AddRecordToCurve(ARecords[i], Adt, AFirst, ABlock);
}

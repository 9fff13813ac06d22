#pragma once

// The sample pair of tests/fixtures as the window's strings: its texts, the
// panels of its status bars and its result with a full stop.

#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

#include "sample_pair.h"

inline QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QStringList FromViews(const std::array<std::string_view, 3>& texts) {
  return {FromView(texts[0]), FromView(texts[1]), FromView(texts[2])};
}

inline const QString kSampleText1 = FromView(velmoro::fixtures::kSamplePair.text1);
inline const QString kSampleText2 = FromView(velmoro::fixtures::kSamplePair.text2);
inline const QStringList kSampleBar1 = FromViews(velmoro::fixtures::kSamplePair.status1);
inline const QStringList kSampleBar2 = FromViews(velmoro::fixtures::kSamplePair.status2);
inline const QString kSampleResult = FromView(velmoro::fixtures::kSamplePair.result);

#pragma once
// The two locale settings the grid's text routines are checked under: point
// decimal with month-first dates, comma decimal with day-first dates.
#include "platform/localesettings.h"

#include <gtest/gtest.h>

enum class LocaleCase { PointMonthFirst, CommaDayFirst };

inline TLocaleSettings SettingsFor(LocaleCase which)
{
    TLocaleSettings s;
    if (which == LocaleCase::PointMonthFirst) {
        s.DecimalSeparator = '.', s.ThousandSeparator = ',', s.DateSeparator = '/';
        s.ShortDateFormat = "M/d/yyyy";
    } else {
        s.DecimalSeparator = ',', s.ThousandSeparator = '.', s.DateSeparator = '.';
        s.ShortDateFormat = "dd.MM.yyyy";
    }
    return s;
}

// Sets the process's settings for one test and puts the old ones back.
class UnderLocale : public ::testing::TestWithParam<LocaleCase> {
protected:
    void SetUp() override
    {
        saved_ = LocaleSettings();
        LocaleSettings() = SettingsFor(GetParam());
    }
    void TearDown() override { LocaleSettings() = saved_; }
    bool Point() const { return GetParam() == LocaleCase::PointMonthFirst; }

private:
    TLocaleSettings saved_;
};

inline std::string LocaleCaseName(const ::testing::TestParamInfo<LocaleCase>& info)
{
    return info.param == LocaleCase::PointMonthFirst ? "PointMonthFirst" : "CommaDayFirst";
}

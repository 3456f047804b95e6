#include "grid/floatingfooter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TemplateCase {
    const char* name;
    QString templ;
    QString expected;
};

class FooterTemplate : public testing::TestWithParam<TemplateCase> {};

TEST_P(FooterTemplate, FieldsTakeTheCurrentRowsTexts)
{
    // A row of four columns; columns outside it give nothing.
    const QStringList row{"Ramal", "21", "Recepção", "3,50"};
    std::vector<int> asked;
    const QString text = ExpandFooterTemplate(GetParam().templ, [&](int col) {
        asked.push_back(col);
        return col >= 0 && col < row.size() ? row[col] : QString();
    });
    EXPECT_EQ(text, GetParam().expected);
}

const TemplateCase kTemplates[] = {
    {"OneField", "<#2>", "Recepção"},
    {"FieldInText", "Ramal <#1>: <#2>", "Ramal 21: Recepção"},
    {"SameFieldTwice", "<#1>/<#1>", "21/21"},
    {"HtmlAround", "<b><#3></b> <i>total</i>", "<b>3,50</b> <i>total</i>"},
    {"SpacesInField", "<# 0 >", "Ramal"},
    {"NotANumberDropped", "a<#x>b<#1>", "ab21"},
    {"EmptyFieldDropped", "a<#>b", "ab"},
    {"ColumnOutsideTheGrid", "[<#9>]", "[]"},
    {"NegativeColumn", "[<#-1>]", "[]"},
    {"UnclosedFieldStays", "x <#1", "x <#1"},
    {"NoFields", "Total geral", "Total geral"},
    {"Empty", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Templates, FooterTemplate, testing::ValuesIn(kTemplates),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace

#include "shred/ShredAlgorithms.h"

#include "app/AppFolders.h"
#include "app/OptionsUnit.h"
#include "platform/IniFile.h"
#include "shred/OverwritePasses.h"
#include "shred/ShredSchemes.h"

namespace dovrel {

namespace {

// Every random pass draws below 255, so no random byte is ever FF.
constexpr std::uint8_t kRandomLow = 0;
constexpr std::uint8_t kRandomHigh = 255;

struct CatalogueRow {
    const wchar_t* listText;
    std::unique_ptr<TShredAlgorithm> (*create)();
};

template <typename T>
std::unique_ptr<TShredAlgorithm> Make() {
    return std::make_unique<T>();
}

// The order is the order of the settings page's list; a row's index is its scheme's index.
const CatalogueRow kRows[kShredSchemeCount] = {
    {L"Quick shred by filling with zero's", &Make<TZeroPass>},
    {L"Fast shred, space filled by random characters", &Make<TRandPass>},
    {L"Anti-software recovery tools", &Make<TAntiSoftRecover>},
    {L"NAVSO P-5239-26", &Make<TNAVSOMF>},
    {L"NAVSO P-5239-26 with RLL encoding scheme", &Make<TNAVSORL>},
    {L"German VSITR algorithm", &Make<TVSITR>},
    {L"Russian military standards GOST P50739-95", &Make<TGOST>},
    {L"B. Schneier's algorithm", &Make<TSchneier>},
    {L"DOD 5220.22-M", &Make<TDOD>},
    {L"3+7+3 Beyond DoD Standards", &Make<TBEYNDDOD>},
    {L"Guttman algorithm", &Make<TGUTMANN>},
};

std::vector<std::unique_ptr<TShredAlgorithm>> catalogue;
std::unique_ptr<TIniFile> descriptions;

std::unique_ptr<TCharGenerator> CreateGenerator(const TShredPass& pass) {
    switch (pass.kind) {
        case TPassKind::Pattern: {
            auto hex = std::make_unique<THexGenerator>(pass.pattern[0]);
            for (std::size_t i = 1; i < pass.length; ++i)
                hex->AddByte(pass.pattern[i]);
            return hex;
        }
        case TPassKind::Random:
            return std::make_unique<TRandomGenerator>(kRandomLow, kRandomHigh);
        case TPassKind::RandomChar:
            return std::make_unique<TRandomCharGenerator>(kRandomLow, kRandomHigh);
        case TPassKind::Invert:
            break;
    }
    return std::make_unique<TInvertGenerator>();
}

}  // namespace

TGeneratorList TShredAlgorithm::CreateGenerators() const {
    TGeneratorList generators;
    for (const TShredPass& pass : Passes())
        generators.push_back(CreateGenerator(pass));
    return generators;
}

void TShredAlgorithm::ShredFile(const std::wstring& path, const TOperationEvents& events) {
    const TGeneratorList generators = CreateGenerators();
    OverwriteAndDelete(path, generators, events);
}

void BuildShredCatalogue() {
    catalogue.clear();
    const std::wstring language = TOptions().ReadString(L"LanguageID", L"1033");
    descriptions = OpenIniFile(GetAppFolder() + L"shreds" + language + L".ini");
    for (const auto& row : kRows)
        catalogue.push_back(row.create());
}

void ReleaseShredCatalogue() {
    catalogue.clear();
    descriptions.reset();
}

const std::vector<std::unique_ptr<TShredAlgorithm>>& ShredCatalogue() {
    return catalogue;
}

const wchar_t* ShredListText(std::size_t index) {
    return index < kShredSchemeCount ? kRows[index].listText : L"";
}

std::wstring GetShredDescription(const TShredAlgorithm& scheme) {
    return descriptions ? descriptions->ReadString(L"Algos", scheme.ClassName(), L"")
                        : std::wstring();
}

}  // namespace dovrel

// Each conversion and operation of the bit workbench's rules on a 128-bit
// word, one at a time (target: under a microsecond each), and the floats
// and the wildcard list beside them.
//   bits_bench [Google Benchmark options]
#include "bits/FloatBits.h"
#include "bits/WildcardMask.h"
#include "bits/WordOperations.h"
#include "bits/WordReading.h"
#include "bits/WordViews.h"
#include "ipaddress/AddressText.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

BitWord wide()
{
    WordSpec spec;
    spec.width = 128;
    spec.isSigned = true;
    return readWord("0xF123_4567_89AB_CDEF_0FED_CBA9_8765_4321", spec).word;
}

// Text read into a signed 128-bit word, or as a float of that format.
void reading(const char* name, std::string text, std::optional<FloatFormat> format = {})
{
    benchmark::RegisterBenchmark(name, [text, format](benchmark::State& state) {
        WordSpec spec;
        spec.isSigned = true;
        spec.width = format ? 0 : 128;
        spec.floatFormat = format;
        for (auto _ : state)
            benchmark::DoNotOptimize(readWord(text, spec));
    });
}

void writing(const char* name, std::function<std::string(const BitWord&)> write)
{
    benchmark::RegisterBenchmark(name, [write](benchmark::State& state) {
        const BitWord word = wide();
        for (auto _ : state)
            benchmark::DoNotOptimize(write(word));
    });
}

// An operation on the 128-bit word; a change of width to 128 bits starts
// from a negative 64-bit word, so that the sign is extended.
void operating(const char* spelled)
{
    const std::string name = std::string("operation ") + spelled;
    benchmark::RegisterBenchmark(name.c_str(), [spelled](benchmark::State& state) {
        BitWord word = wide();
        word.carry = true;
        if (std::string(spelled) == "width:128") {
            word.width = 64;
            word.bits = Uint128(0, word.bits.lo | uint64_t(1) << 63);
        }
        const BitOperation operation = readOperation(spelled, word);
        for (auto _ : state)
            benchmark::DoNotOptimize(applyOperation(word, operation));
    });
}

void registerAll()
{
    reading("read decimal", "-170141183460469231731687303715884105728");
    reading("read hexadecimal", "0xF123_4567_89AB_CDEF_0FED_CBA9_8765_4321");
    reading("read octal", "0o1777777777777777777777777777777777777777777");
    reading("read binary", "0b" + std::string(128, '1'));
    reading("read characters", "'0123456789abcdef'");
    reading("read IPv6 address", "2001:db8:85a3:8d3:1319:8a2e:370:7348");
    reading("read float binary64", "-1.7976931348623157e308", FloatFormat::Binary64);
    reading("read float binary32", "3.4028235e38", FloatFormat::Binary32);
    reading("read float binary16", "65504", FloatFormat::Binary16);

    writing("view unsigned decimal",
            [](const BitWord& w) { return addresstext::decimalText(w.bits); });
    writing("view signed decimal", [](const BitWord& w) { return signedDecimalText(w); });
    writing("view hexadecimal", [](const BitWord& w) { return hexText(w.bits, w.width); });
    writing("view octal", [](const BitWord& w) { return octalText(w.bits); });
    writing("view binary by 4",
            [](const BitWord& w) { return grouped(binaryText(w.bits, w.width), 4, ' '); });
    writing("view IPv6 address", [](const BitWord& w) { return addresstext::ipv6Text(w.bits); });
    writing("view all (every field at once)",
            [](const BitWord& w) { return wordViews(w).back().text; });
    writing("copy C literal", [](const BitWord& w) { return copyText(w, CopyForm::CLiteral); });
    writing("view float binary64",
            [](const BitWord& w) { return floatValueText(w.bits.lo, FloatFormat::Binary64); });
    writing("view float binary32", [](const BitWord& w) {
        return floatValueText(w.bits.lo & 0xFFFFFFFFu, FloatFormat::Binary32);
    });
    writing("view float binary16", [](const BitWord& w) {
        return floatValueText(w.bits.lo & 0xFFFFu, FloatFormat::Binary16);
    });

    for (const char* spelled :
         {"not",       "and:0xFF00FF", "or:-2",      "xor:0x5A5A",  "nand:-1",
          "nor:7",     "shl:77",       "shr:77",     "sar:77",      "rol:77",
          "ror:77",    "rcl:77",       "rcr:77",     "swap",        "reverse",
          "set:3-120", "clear:3-120",  "flip:3-120", "field:3-120", "width:128"})
        operating(spelled);

    benchmark::RegisterBenchmark("wildcard next block", [](benchmark::State& state) {
        const WildcardMask mask = readWildcardMask("2001:db8::", "::ffff:ffff:ffff:ffff");
        WildcardBlocks blocks(mask);
        CidrBlock block;
        for (auto _ : state)
            benchmark::DoNotOptimize(blocks.next(block));
    });
    benchmark::RegisterBenchmark("wildcard block at an index", [](benchmark::State& state) {
        const WildcardMask mask = readWildcardMask("::", "5555:5555:5555:5555:5555:5555:5555:5555");
        const Uint128 index(0x123456789ABCDEFu, 0xFEDCBA987654321u);
        for (auto _ : state)
            benchmark::DoNotOptimize(mask.blockAt(index));
    });
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

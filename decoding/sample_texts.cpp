#include "decoding/sample_texts.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>

#include "decoding/number_format.h"
#include "decoding/record_texts.h"
#include "decoding/voltage_texts.h"

namespace talvorne {
namespace {

constexpr std::string_view kEntryStart = "\r";
constexpr std::string_view kEntrySeparator = " : ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kHexBytesLength = 6;  // "HH LL "

std::size_t DecimalLength(std::size_t value) {
  std::size_t length = 1;
  for (; value >= 10; value /= 10) ++length;
  return length;
}

char* WriteHexByte(char* out, std::uint8_t byte) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  *out++ = kHexDigits[byte >> 4];
  *out++ = kHexDigits[byte & 0x0F];
  return out;
}

class SampleConversion {
 public:
  SampleConversion(const Curve& curve, std::string_view decimalSeparator)
      : curve_(curve),
        decimalSeparator_(decimalSeparator),
        samples1_(curve.channels[0].samples),
        channel1_(curve.channels[0].millivoltsPerUnit, decimalSeparator) {
    if (curve.channels.size() == 2) {
      samples2_ = curve.channels[1].samples;
      channel2_.emplace(curve.channels[1].millivoltsPerUnit, decimalSeparator);
    }
  }

  void Run(SampleTexts& texts) {
    Reserve(texts);
    for (std::size_t at = 0; at < samples1_.size(); ++at) {
      const std::string_view voltage1 = channel1_.Text(samples1_[at]);
      AppendSampleByteEntry(texts.sampleByteTrace, at);
      AppendTimeVoltageEntry(texts.timeVoltageTrace, at, voltage1);
      AppendTableLine(texts.table, at, voltage1);
    }
  }

 private:
  // The texts grow to hundreds of megabytes for the largest record: each gets its full size
  // once, so that no reallocation doubles the memory it needs.
  void Reserve(SampleTexts& texts) {
    const std::size_t count = samples1_.size();
    const std::size_t number = MaxNumberLength(decimalSeparator_);
    const std::size_t voltages1 = VoltageTextsLength(samples1_, channel1_);
    const std::size_t voltages2 = channel2_ ? VoltageTextsLength(samples2_, *channel2_) : 0;
    const std::size_t tabs = channel2_ ? 2 : 1;
    texts.table.reserve(texts.table.size() + count * (number + tabs + kLineEnd.size()) + voltages1 +
                        voltages2);
    texts.timeVoltageTrace.reserve(count * (kEntryStart.size() + number + kEntrySeparator.size()) +
                                   voltages1);
    const std::size_t lastHighByte = HighBytePosition(count - 1);
    texts.sampleByteTrace.reserve(count * (kEntryStart.size() + DecimalLength(count) +
                                           kEntrySeparator.size() + kHexBytesLength +
                                           DecimalLength(lastHighByte)));
  }

  // Makes every voltage text of the channel and returns their total length over all samples.
  static std::size_t VoltageTextsLength(std::span<const std::int16_t> samples,
                                        VoltageTexts& texts) {
    std::size_t length = 0;
    for (const std::int16_t sample : samples) length += texts.Text(sample).size();
    return length;
  }

  // Where the high byte of the first channel's sample at that index lies in the record.
  std::size_t HighBytePosition(std::size_t at) const {
    return curve_.channels[0].firstSamplePosition + 2 * at + 1;
  }

  // i, the high and low bytes of the first channel's sample i, and where that high byte lies;
  // made on the stack and appended at once, being the same shape for every sample.
  void AppendSampleByteEntry(std::string& trace, std::size_t at) const {
    const auto raw = static_cast<std::uint16_t>(samples1_[at]);
    char entry[64];
    char* end = entry;
    *end++ = kEntryStart[0];
    end = std::to_chars(end, entry + sizeof entry, at + 1).ptr;
    end = std::copy(kEntrySeparator.begin(), kEntrySeparator.end(), end);
    end = WriteHexByte(end, static_cast<std::uint8_t>(raw >> 8));
    *end++ = ' ';
    end = WriteHexByte(end, static_cast<std::uint8_t>(raw & 0xFF));
    *end++ = ' ';
    end = std::to_chars(end, entry + sizeof entry, HighBytePosition(at)).ptr;
    trace.append(entry, end);
  }

  // i × S, the counter times the seconds per division rather than the table's time.
  void AppendTimeVoltageEntry(std::string& trace, std::size_t at, std::string_view voltage) const {
    trace += kEntryStart;
    AppendNumber(trace, static_cast<double>(at + 1) * curve_.secondsPerDivision, decimalSeparator_);
    trace += kEntrySeparator;
    trace += voltage;
  }

  void AppendTableLine(std::string& table, std::size_t at, std::string_view voltage1) {
    AppendNumber(table, curve_.seconds[at], decimalSeparator_);
    table += '\t';
    table += voltage1;
    if (channel2_) {
      table += '\t';
      table += channel2_->Text(samples2_[at]);
    }
    table += kLineEnd;
  }

  const Curve& curve_;
  std::string_view decimalSeparator_;
  std::span<const std::int16_t> samples1_;
  std::span<const std::int16_t> samples2_;
  VoltageTexts channel1_;
  std::optional<VoltageTexts> channel2_;
};

}  // namespace

SampleTexts ConvertSamples(const Curve& curve, std::string_view decimalSeparator) {
  SampleTexts texts{HeaderLines(curve), {}, {}};
  if (curve.HasSamples()) SampleConversion(curve, decimalSeparator).Run(texts);
  return texts;
}

}  // namespace talvorne

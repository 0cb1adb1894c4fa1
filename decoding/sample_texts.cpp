#include "decoding/sample_texts.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "decoding/number_format.h"
#include "decoding/record_texts.h"
#include "decoding/scale_tables.h"
#include "decoding/voltage_texts.h"
#include "decoding/waveform_record.h"

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
  SampleConversion(const WaveformRecord& record, std::string_view decimalSeparator)
      : record_(record),
        decimalSeparator_(decimalSeparator),
        sampleCount_(record.SampleCount()),
        secondsPerDivision_(BaseDeTemps(record.TimebaseCode())),
        channel1_(FacteurTension(record.VoltsCode(1)), decimalSeparator) {
    if (record.ChannelCount() == 2) {
      channel2_.emplace(FacteurTension(record.VoltsCode(2)), decimalSeparator);
    }
  }

  void Run(SampleTexts& texts) {
    Reserve(texts);
    for (std::int32_t i = 1; i <= sampleCount_; ++i) {
      const std::string_view voltage1 = channel1_.Text(record_.Sample(1, i));
      AppendSampleByteEntry(texts.sampleByteTrace, i);
      AppendTimeVoltageEntry(texts.timeVoltageTrace, i, voltage1);
      AppendTableLine(texts.table, i, voltage1);
    }
  }

 private:
  // The texts grow to hundreds of megabytes for the largest record: each gets its full size
  // once, so that no reallocation doubles the memory it needs.
  void Reserve(SampleTexts& texts) {
    const auto count = static_cast<std::size_t>(sampleCount_);
    const std::size_t number = MaxNumberLength(decimalSeparator_);
    const std::size_t voltages1 = VoltageTextsLength(1, channel1_);
    const std::size_t voltages2 = channel2_ ? VoltageTextsLength(2, *channel2_) : 0;
    const std::size_t tabs = channel2_ ? 2 : 1;
    texts.table.reserve(texts.table.size() + count * (number + tabs + kLineEnd.size()) + voltages1 +
                        voltages2);
    texts.timeVoltageTrace.reserve(count * (kEntryStart.size() + number + kEntrySeparator.size()) +
                                   voltages1);
    const std::size_t lastHighByte = record_.SamplePosition(1, sampleCount_) + 1;
    texts.sampleByteTrace.reserve(count * (kEntryStart.size() + DecimalLength(count) +
                                           kEntrySeparator.size() + kHexBytesLength +
                                           DecimalLength(lastHighByte)));
  }

  // Makes every voltage text of the channel and returns their total length over all samples.
  std::size_t VoltageTextsLength(int channel, VoltageTexts& texts) const {
    std::size_t length = 0;
    for (std::int32_t i = 1; i <= sampleCount_; ++i) {
      length += texts.Text(record_.Sample(channel, i)).size();
    }
    return length;
  }

  // i, the high and low bytes of the first channel's sample i, and where that high byte lies;
  // made on the stack and appended at once, being the same shape for every sample.
  void AppendSampleByteEntry(std::string& trace, std::int32_t i) const {
    const std::size_t low = record_.SamplePosition(1, i);
    char entry[64];
    char* end = entry;
    *end++ = kEntryStart[0];
    end = std::to_chars(end, entry + sizeof entry, i).ptr;
    end = std::copy(kEntrySeparator.begin(), kEntrySeparator.end(), end);
    end = WriteHexByte(end, record_.Byte(low + 1));
    *end++ = ' ';
    end = WriteHexByte(end, record_.Byte(low));
    *end++ = ' ';
    end = std::to_chars(end, entry + sizeof entry, low + 1).ptr;
    trace.append(entry, end);
  }

  // i × S, the counter times the seconds per division rather than the table's time.
  void AppendTimeVoltageEntry(std::string& trace, std::int32_t i, std::string_view voltage) const {
    trace += kEntryStart;
    AppendNumber(trace, static_cast<double>(i) * secondsPerDivision_, decimalSeparator_);
    trace += kEntrySeparator;
    trace += voltage;
  }

  void AppendTableLine(std::string& table, std::int32_t i, std::string_view voltage1) {
    AppendNumber(table, SampleTime(i, secondsPerDivision_, sampleCount_), decimalSeparator_);
    table += '\t';
    table += voltage1;
    if (channel2_) {
      table += '\t';
      table += channel2_->Text(record_.Sample(2, i));
    }
    table += kLineEnd;
  }

  const WaveformRecord& record_;
  std::string_view decimalSeparator_;
  std::int32_t sampleCount_;
  double secondsPerDivision_;
  VoltageTexts channel1_;
  std::optional<VoltageTexts> channel2_;
};

}  // namespace

SampleTexts ConvertSamples(std::span<const std::uint8_t> bytes, std::string_view decimalSeparator) {
  const WaveformRecord record(bytes);
  SampleTexts texts{HeaderLines(record), {}, {}};
  if (record.SampleCount() > 0) SampleConversion(record, decimalSeparator).Run(texts);
  return texts;
}

}  // namespace talvorne

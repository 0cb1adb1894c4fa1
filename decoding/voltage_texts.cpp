#include "decoding/voltage_texts.h"

#include "decoding/number_format.h"
#include "decoding/waveform_record.h"

namespace talvorne {

VoltageTexts::VoltageTexts(double millivoltsPerUnit, std::string_view decimalSeparator)
    : millivoltsPerUnit_(millivoltsPerUnit), decimalSeparator_(decimalSeparator), slots_(65536) {}

std::string_view VoltageTexts::Text(std::int16_t sample) {
  std::uint32_t& slot = slots_[static_cast<std::uint16_t>(sample)];
  if (slot == 0) {
    const std::size_t lengthAt = texts_.size();
    texts_.append(2, '\0');
    AppendNumber(texts_, Voltage(sample, millivoltsPerUnit_), decimalSeparator_);
    const std::size_t length = texts_.size() - lengthAt - 2;
    texts_[lengthAt] = static_cast<char>(length & 0xFF);
    texts_[lengthAt + 1] = static_cast<char>(length >> 8);
    slot = static_cast<std::uint32_t>(lengthAt + 1);
  }
  const std::size_t lengthAt = slot - 1;
  const std::size_t length =
      static_cast<unsigned char>(texts_[lengthAt]) |
      static_cast<std::size_t>(static_cast<unsigned char>(texts_[lengthAt + 1])) << 8;
  return std::string_view(texts_).substr(lengthAt + 2, length);
}

}  // namespace talvorne

#include "decoding/voltage_texts.h"

#include "decoding/number_format.h"
#include "decoding/waveform_record.h"

namespace talvorne {

VoltageTexts::VoltageTexts(double millivoltsPerUnit, std::string_view decimalSeparator)
    : millivoltsPerUnit_(millivoltsPerUnit), decimalSeparator_(decimalSeparator), slots_(65536) {}

std::string_view VoltageTexts::Text(std::int16_t sample) {
  Slot& slot = slots_[static_cast<std::uint16_t>(sample)];
  if (slot.length == 0) {
    slot.offset = texts_.size();
    AppendNumber(texts_, Voltage(sample, millivoltsPerUnit_), decimalSeparator_);
    slot.length = texts_.size() - slot.offset;
  }
  return std::string_view(texts_).substr(slot.offset, slot.length);
}

}  // namespace talvorne

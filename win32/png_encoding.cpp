#include "win32/png_encoding.h"

#include <objbase.h>
// The imaging component's identifiers (its class, the PNG format, the pixel format) are defined
// here from its header, so that the program holds no library of them.
#include <initguid.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/com_apartment.h"
#include "win32/win32_texts.h"

namespace talvorne {
namespace {

using Microsoft::WRL::ComPtr;

void Check(HRESULT result) {
  if (SUCCEEDED(result)) return;
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  throw std::runtime_error(win32_texts::kPngEncodingFailed + std::string(code) + ")");
}

// Rows of blue, green and red, each padded to a multiple of 4 bytes as WIC's bitmaps are.
std::vector<BYTE> ThreeBytePixels(SIZE size, std::span<const std::uint32_t> pixels, UINT stride) {
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * static_cast<std::size_t>(size.cy));
  for (LONG y = 0; y < size.cy; ++y) {
    BYTE* row = rows.data() + static_cast<std::size_t>(y) * stride;
    for (LONG x = 0; x < size.cx; ++x) {
      const std::uint32_t pixel = pixels[static_cast<std::size_t>(y * size.cx + x)];
      *row++ = static_cast<BYTE>(pixel);
      *row++ = static_cast<BYTE>(pixel >> 8);
      *row++ = static_cast<BYTE>(pixel >> 16);
    }
  }
  return rows;
}

std::string StreamBytes(IStream& stream) {
  STATSTG status{};
  HGLOBAL memory = nullptr;
  Check(stream.Stat(&status, STATFLAG_NONAME));
  Check(GetHGlobalFromStream(&stream, &memory));
  const auto* data = static_cast<const char*>(GlobalLock(memory));
  if (data == nullptr) throw std::runtime_error(win32_texts::kOutOfSystemResources);
  std::string bytes(data, static_cast<std::size_t>(status.cbSize.QuadPart));
  GlobalUnlock(memory);
  return bytes;
}

}  // namespace

std::string EncodePng(SIZE size, std::span<const std::uint32_t> pixels) {
  const ComApartment com;  // the program's own, or one for this encoding alone
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&factory)));
  ComPtr<IStream> stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream));  // the memory goes with the stream
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder));
  Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache));
  ComPtr<IWICBitmapFrameEncode> frame;
  Check(encoder->CreateNewFrame(&frame, nullptr));
  Check(frame->Initialize(nullptr));
  const auto width = static_cast<UINT>(size.cx), height = static_cast<UINT>(size.cy);
  Check(frame->SetSize(width, height));
  // The PNG encoder takes this format as it is; it would say so by changing it otherwise.
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format));
  if (format != GUID_WICPixelFormat24bppBGR) Check(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
  const UINT stride = (width * 3 + 3) & ~3u;
  std::vector<BYTE> rows = ThreeBytePixels(size, pixels, stride);
  Check(frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), rows.data()));
  Check(frame->Commit());
  Check(encoder->Commit());
  return StreamBytes(*stream.Get());
}

}  // namespace talvorne

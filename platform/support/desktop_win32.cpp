// The desktop on Windows: the shell opens targets, WIC converts pictures.
#include <windows.h>

#include <shellapi.h>
#include <wincodec.h>

#include <memory>
#include <string>

#include "platform/support/desktop.h"

namespace support {
namespace {

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <class T>
using ComOwner = std::unique_ptr<T, ComReleaser>;

// COM for the calling thread while the owner lives, unless the thread already
// runs it in another mode (then that one serves).
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

 private:
  HRESULT result_;
};

std::wstring wide_from_utf8(const std::string& text) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

// The first frame of the picture as 24-bit BGR pixels; null for bytes that
// are no picture WIC knows.
ComOwner<IWICFormatConverter> decode(IWICImagingFactory& factory,
                                     std::span<const uint8_t> picture_file) {
  IWICStream* raw_stream = nullptr;
  if (FAILED(factory.CreateStream(&raw_stream))) {
    return nullptr;
  }
  ComOwner<IWICStream> stream(raw_stream);
  // The stream only reads the bytes.
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(picture_file.data()),
                                          static_cast<DWORD>(picture_file.size())))) {
    return nullptr;
  }
  IWICBitmapDecoder* raw_decoder = nullptr;
  if (FAILED(factory.CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                             &raw_decoder))) {
    return nullptr;
  }
  ComOwner<IWICBitmapDecoder> decoder(raw_decoder);
  IWICBitmapFrameDecode* raw_frame = nullptr;
  if (FAILED(decoder->GetFrame(0, &raw_frame))) {
    return nullptr;
  }
  ComOwner<IWICBitmapFrameDecode> frame(raw_frame);
  IWICFormatConverter* raw_converter = nullptr;
  if (FAILED(factory.CreateFormatConverter(&raw_converter))) {
    return nullptr;
  }
  ComOwner<IWICFormatConverter> converter(raw_converter);
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR,
                                   WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom))) {
    return nullptr;
  }
  return converter;
}

bool encode_bmp(IWICImagingFactory& factory, IWICBitmapSource& source,
                const std::filesystem::path& target) {
  IWICStream* raw_stream = nullptr;
  if (FAILED(factory.CreateStream(&raw_stream))) {
    return false;
  }
  ComOwner<IWICStream> stream(raw_stream);
  if (FAILED(stream->InitializeFromFilename(target.c_str(), GENERIC_WRITE))) {
    return false;
  }
  IWICBitmapEncoder* raw_encoder = nullptr;
  if (FAILED(factory.CreateEncoder(GUID_ContainerFormatBmp, nullptr, &raw_encoder))) {
    return false;
  }
  ComOwner<IWICBitmapEncoder> encoder(raw_encoder);
  IWICBitmapFrameEncode* raw_frame = nullptr;
  if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&raw_frame, nullptr))) {
    return false;
  }
  ComOwner<IWICBitmapFrameEncode> frame(raw_frame);
  UINT width = 0;
  UINT height = 0;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  return SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(source.GetSize(&width, &height)) &&
         SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WriteSource(&source, nullptr)) && SUCCEEDED(frame->Commit()) &&
         SUCCEEDED(encoder->Commit());
}

}  // namespace

bool open_target(const LinkTarget& target) {
  const std::wstring what =
      target.kind == LinkTarget::Kind::Url ? wide_from_utf8(target.url) : target.file.wstring();
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", what.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;  // values up to 32 are errors
}

bool write_bmp(std::span<const uint8_t> picture_file, const std::filesystem::path& target) {
  const ComScope com;
  if (!com.usable() || picture_file.empty()) {
    return false;
  }
  IWICImagingFactory* raw_factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&raw_factory)))) {
    return false;
  }
  ComOwner<IWICImagingFactory> factory(raw_factory);
  const ComOwner<IWICFormatConverter> pixels = decode(*factory, picture_file);
  if (!pixels) {
    return false;
  }
  if (!encode_bmp(*factory, *pixels, target)) {
    DeleteFileW(target.c_str());  // no half-written picture
    return false;
  }
  return true;
}

}  // namespace support

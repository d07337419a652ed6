#include "platform/codecs/jpeg_decoder.h"

#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace vaticor {

namespace {

// libjpeg's own working memory (for a progressive file, one coefficient
// per pixel and component at full size) must stay within this.
constexpr long kMaxJpegWorkingMemory = 512L * 1024 * 1024;

// A progressive file may declare any number of scans; each one makes the
// decoder pass over the whole coefficient buffer again. Real files have
// about a dozen.
constexpr int kMaxScans = 1000;

constexpr J_COLOR_SPACE kArgbWordLayout =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// libjpeg reports fatal errors through error_exit, which must not return;
// it jumps back to the setjmp in the function that drives the decoder. The
// code between that setjmp and libjpeg therefore holds no objects with
// destructors: everything owned lives in the caller's frame.
struct Session {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr errorManager{};
  jpeg_progress_mgr progress{};
  std::jmp_buf jump{};

  Session() {
    cinfo.err = jpeg_std_error(&errorManager);
    errorManager.error_exit = &Session::OnError;
    errorManager.emit_message = &Session::OnMessage;
    errorManager.output_message = [](j_common_ptr) {};
    progress.progress_monitor = &Session::OnProgress;
    cinfo.client_data = this;
  }
  ~Session() { jpeg_destroy_decompress(&cinfo); }  // safe on a never-created struct
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  [[noreturn]] static void Abort(j_common_ptr common) {
    std::longjmp(static_cast<Session*>(common->client_data)->jump, 1);
  }
  [[noreturn]] static void OnError(j_common_ptr common) { Abort(common); }
  static void OnMessage(j_common_ptr common, int level) {
    if (level >= 0) return;  // trace messages
    // The memory source answers an end of data with a fake EOI marker and
    // this warning; what is decoded after it is grey filler.
    if (common->err->msg_code == JWRN_JPEG_EOF) Abort(common);
    ++common->err->num_warnings;
  }
  static void OnProgress(j_common_ptr common) {
    if (!common->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxScans) Abort(common);
  }
};

void Begin(Session& s, std::string_view bytes) {
  jpeg_create_decompress(&s.cinfo);
  s.cinfo.client_data = &s;  // jpeg_create_decompress keeps err and client_data, but be explicit
  s.cinfo.mem->max_memory_to_use = kMaxJpegWorkingMemory;
  s.cinfo.progress = &s.progress;
  jpeg_mem_src(&s.cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&s.cinfo, TRUE);
}

bool IsCmyk(const jpeg_decompress_struct& cinfo) {
  return cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
}

void ChooseScale(jpeg_decompress_struct& cinfo, PictureSize target) {
  unsigned scale = 8;
  if (!target.empty()) {
    for (unsigned m = 1; m < 8; ++m) {
      cinfo.scale_num = m;
      cinfo.scale_denom = 8;
      jpeg_calc_output_dimensions(&cinfo);
      if (cinfo.output_width >= static_cast<JDIMENSION>(target.width) &&
          cinfo.output_height >= static_cast<JDIMENSION>(target.height)) {
        scale = m;
        break;
      }
    }
  }
  cinfo.scale_num = scale;
  cinfo.scale_denom = 8;
  jpeg_calc_output_dimensions(&cinfo);
}

std::uint32_t CmykToArgb(unsigned c, unsigned m, unsigned y, unsigned k, bool inverted) {
  if (!inverted) {
    c = 255 - c;
    m = 255 - m;
    y = 255 - y;
    k = 255 - k;
  }
  // Now 255 means no ink.
  const std::uint32_t r = (c * k + 127) / 255;
  const std::uint32_t g = (m * k + 127) / 255;
  const std::uint32_t b = (y * k + 127) / 255;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Runs the decoder; false on any libjpeg error. `picture` lives in the
// caller's frame so that a jump out of libjpeg skips no destructor.
bool RunDecode(Session& s, std::string_view bytes, PictureSize target,
               std::unique_ptr<Picture>& picture) {
  if (setjmp(s.jump) != 0) return false;
  Begin(s, bytes);
  jpeg_decompress_struct& cinfo = s.cinfo;
  const bool cmyk = IsCmyk(cinfo);
  cinfo.out_color_space = cmyk ? JCS_CMYK : kArgbWordLayout;
  ChooseScale(cinfo, target);
  if (cinfo.output_components != 4 || cinfo.output_width == 0 || cinfo.output_height == 0) return false;
  if (static_cast<std::int64_t>(cinfo.output_width) * cinfo.output_height > kMaxPicturePixels) {
    return false;
  }
  picture = std::make_unique<Picture>(static_cast<int>(cinfo.output_width),
                                      static_cast<int>(cinfo.output_height));
  jpeg_start_decompress(&cinfo);

  const bool inverted = cinfo.saw_Adobe_marker != 0;
  JSAMPARRAY cmykRow =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.output_width * 4, 1)
           : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    std::uint32_t* out = picture->row(y);
    if (cmyk) {
      if (jpeg_read_scanlines(&cinfo, cmykRow, 1) != 1) return false;
      const JSAMPLE* in = cmykRow[0];
      for (JDIMENSION x = 0; x < cinfo.output_width; ++x, in += 4) {
        out[x] = CmykToArgb(in[0], in[1], in[2], in[3], inverted);
      }
    } else {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(out);
      if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

bool RunMeasure(Session& s, std::string_view bytes, PictureSize& size) {
  if (setjmp(s.jump) != 0) return false;
  Begin(s, bytes);
  size.width = static_cast<int>(s.cinfo.image_width);
  size.height = static_cast<int>(s.cinfo.image_height);
  return true;
}

}  // namespace

std::unique_ptr<Picture> DecodeJpeg(std::string_view bytes, PictureSize target) {
  try {
    Session session;
    std::unique_ptr<Picture> picture;
    if (!RunDecode(session, bytes, target, picture)) return nullptr;
    return picture;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::optional<PictureSize> MeasureJpeg(std::string_view bytes) {
  Session session;
  PictureSize size;
  if (!RunMeasure(session, bytes, size) || size.empty()) return std::nullopt;
  return size;
}

}  // namespace vaticor

#include "platform/codecs/jpeg_decoder.h"

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>  // jpeglib.h needs FILE
#include <new>
#include <optional>
#include <vector>

#include "library/picture_loader.h"
#include "platform/codecs/picture_reducer.h"

namespace vaticor {

namespace {

// libjpeg's own working memory (for a progressive file, one coefficient
// per pixel and component at full size) must stay within this.
constexpr long kMaxJpegWorkingMemory = 512L * 1024 * 1024;

// A progressive file may declare any number of scans; each one makes the
// decoder pass over the whole coefficient buffer again. Real files have
// about a dozen.
constexpr int kMaxScans = 1000;

// libjpeg may ask for up to this many rows a call (its merged upsampling
// delivers two at a time); fewer work as well.
constexpr int kMaxBandRows = 4;

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

// The smallest DCT scale M/8 whose output still covers `wanted` (no larger
// than the picture) in both directions. A picture kept at its own length in
// some direction is decoded at full scale: a smaller scale would resample it
// in that direction.
void ChooseScale(jpeg_decompress_struct& cinfo, PictureSize wanted) {
  unsigned scale = 8;
  if (static_cast<JDIMENSION>(wanted.width) < cinfo.image_width &&
      static_cast<JDIMENSION>(wanted.height) < cinfo.image_height) {
    for (unsigned m = 1; m < 8; ++m) {
      cinfo.scale_num = m;
      cinfo.scale_denom = 8;
      jpeg_calc_output_dimensions(&cinfo);
      if (cinfo.output_width >= static_cast<JDIMENSION>(wanted.width) &&
          cinfo.output_height >= static_cast<JDIMENSION>(wanted.height)) {
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

// Runs the decoder; false on any libjpeg error. What it allocates lives in
// the caller's frame, so that a jump out of libjpeg skips no destructor:
// `reducer` receives the rows, `band` holds a band of them while the
// picture is being shrunk.
bool RunDecode(Session& s, std::string_view bytes, PictureSize target,
               std::optional<PictureReducer>& reducer, std::vector<std::uint32_t>& band) {
  if (setjmp(s.jump) != 0) return false;
  Begin(s, bytes);
  jpeg_decompress_struct& cinfo = s.cinfo;
  const bool cmyk = IsCmyk(cinfo);
  cinfo.out_color_space = cmyk ? JCS_CMYK : kArgbWordLayout;
  const PictureSize delivered = DeliveredSize(
      {static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height)}, target);
  if (delivered.empty()) return false;
  // Only the delivered picture is ever held, so the limit applies to it.
  if (static_cast<std::int64_t>(delivered.width) * delivered.height > kMaxPicturePixels)
    return false;
  ChooseScale(cinfo, delivered);
  if (cinfo.output_components != 4 || cinfo.output_width == 0 || cinfo.output_height == 0)
    return false;
  jpeg_start_decompress(&cinfo);

  const JDIMENSION width = cinfo.output_width;
  reducer.emplace(PictureSize{static_cast<int>(width), static_cast<int>(cinfo.output_height)},
                  delivered, PictureReducer::RowOrder::TopDown, true);
  const int bandRows = std::clamp(cinfo.rec_outbuf_height, 1, kMaxBandRows);
  if (reducer->DirectRow() == nullptr) {
    band.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(bandRows));
  }
  const bool inverted = cinfo.saw_Adobe_marker != 0;
  JSAMPARRAY cmykBand =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                        width * 4, static_cast<JDIMENSION>(bandRows))
           : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    // A picture that keeps its size is decoded straight into its rows.
    std::uint32_t* const direct = reducer->DirectRow();
    std::uint32_t* const argb = direct ? direct : band.data();
    const int rows =
        direct ? 1
               : std::min(bandRows, static_cast<int>(cinfo.output_height - cinfo.output_scanline));
    JSAMPROW rowPointers[kMaxBandRows];
    for (int i = 0; i < rows; ++i) {
      rowPointers[i] = cmyk
                           ? cmykBand[i]
                           : reinterpret_cast<JSAMPROW>(argb + static_cast<std::size_t>(i) * width);
    }
    const JDIMENSION read = jpeg_read_scanlines(&cinfo, rowPointers, static_cast<JDIMENSION>(rows));
    if (read == 0) return false;
    for (JDIMENSION i = 0; i < read; ++i) {
      std::uint32_t* out = argb + static_cast<std::size_t>(i) * width;
      if (cmyk) {
        const JSAMPLE* in = cmykBand[i];
        for (JDIMENSION x = 0; x < width; ++x, in += 4)
          out[x] = CmykToArgb(in[0], in[1], in[2], in[3], inverted);
      }
      if (!direct) reducer->Add(0, out, width);
      reducer->EndRows(1);
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
    std::optional<PictureReducer> reducer;
    std::vector<std::uint32_t> band;
    if (!RunDecode(session, bytes, target, reducer, band)) return nullptr;
    return reducer->Finish();
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

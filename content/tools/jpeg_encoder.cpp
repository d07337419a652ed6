#include "jpeg_encoder.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace jpeg_encoder {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;  // must stay first: libjpeg hands back a pointer to it
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void OnJpegMessage(j_common_ptr, int) {}

struct FreeDeleter {
  void operator()(unsigned char* p) const noexcept { std::free(p); }
};

// Nothing with a destructor is made in this frame after setjmp, so the
// longjmp back from the error handler skips no cleanup; the row buffer is
// the caller's.
bool Encode(const JpegEncoding& o, std::vector<unsigned char>& row, unsigned char** out,
            unsigned long* size, ErrorManager& err) {
  jpeg_compress_struct cinfo;
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnJpegError;
  err.base.emit_message = OnJpegMessage;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, size);
  cinfo.image_width = static_cast<JDIMENSION>(o.width);
  cinfo.image_height = static_cast<JDIMENSION>(o.height);
  cinfo.input_components = o.cmyk ? 4 : o.grey ? 1 : 3;
  cinfo.in_color_space = o.cmyk ? JCS_CMYK : o.grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (o.cmyk) cinfo.write_Adobe_marker = o.adobeMarker ? TRUE : FALSE;
  cinfo.arith_code = o.arithmetic ? TRUE : FALSE;
  cinfo.optimize_coding = o.optimizeCoding ? TRUE : FALSE;
  cinfo.restart_interval = o.restartInterval;
  jpeg_set_quality(&cinfo, o.quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  if (!o.comment.empty()) {
    jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET*>(o.comment.data()),
                      static_cast<unsigned>(o.comment.size()));
  }
  static const std::vector<unsigned char> filler(60000, 'x');
  for (std::size_t left = o.appBytes; left > 0;) {
    const std::size_t chunk = std::min<std::size_t>(left, filler.size());
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, filler.data(), static_cast<unsigned>(chunk));
    left -= chunk;
  }
  row.assign(static_cast<std::size_t>(std::max(o.width, 0)) *
                 static_cast<std::size_t>(cinfo.input_components),
             0);
  while (cinfo.next_scanline < cinfo.image_height) {
    o.fill(static_cast<int>(cinfo.next_scanline), row);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::string EncodeJpeg(const JpegEncoding& encoding) {
  unsigned char* raw = nullptr;
  unsigned long size = 0;
  ErrorManager err{};
  std::vector<unsigned char> row;
  const bool ok = Encode(encoding, row, &raw, &size, err);
  const std::unique_ptr<unsigned char, FreeDeleter> buffer(raw);
  if (!ok) throw std::runtime_error(std::string("JPEG encoding failed: ") + err.message);
  return std::string(reinterpret_cast<const char*>(buffer.get()), size);
}

}  // namespace jpeg_encoder

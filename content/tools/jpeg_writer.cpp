#include "jpeg_writer.h"

#include <jpeglib.h>

#include <QImage>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

namespace sample_content {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;  // must stay first: libjpeg hands back a pointer to it
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void on_jpeg_error(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void on_jpeg_message(j_common_ptr, int) {}

struct FreeDeleter {
  void operator()(unsigned char* p) const noexcept { std::free(p); }
};

// Nothing with a destructor lives in this frame, so the longjmp back from
// the error handler skips no cleanup; the compressor is destroyed on both paths.
bool encode(const QImage& rgb, int quality, unsigned char** out, unsigned long* size,
            ErrorManager& err) {
  jpeg_compress_struct cinfo;
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = on_jpeg_error;
  err.base.emit_message = on_jpeg_message;
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  cinfo.optimize_coding = TRUE;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg takes a non-const row pointer but only reads through it.
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

void write_jpeg(const QImage& image, const std::filesystem::path& file, int quality) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* raw = nullptr;
  unsigned long size = 0;
  ErrorManager err{};
  const bool ok = encode(rgb, quality, &raw, &size, err);
  const std::unique_ptr<unsigned char, FreeDeleter> buffer(raw);
  if (!ok)
    throw std::runtime_error("JPEG encoding failed for " + file.string() + ": " + err.message);

  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(buffer.get()), static_cast<std::streamsize>(size));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace sample_content

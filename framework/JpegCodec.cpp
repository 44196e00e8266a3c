// libjpeg62 calls (see JpegCodec.h: no <windows.h> in this file).
#include "JpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {
// The library reports a fatal error by calling error_exit, which must not return: it jumps back
// to the call that started the work. No object with a destructor lives between the setjmp and
// the library calls that may jump.
struct TErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  longjmp(err->jump, 1);
}

void SilentMessage(j_common_ptr) {}
}  // namespace

bool JpegDecode(const uint8_t* data, size_t size, bool grayscale, TJpegPixels& pixels, std::string& error) {
  jpeg_decompress_struct cinfo;
  TErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.output_message = SilentMessage;
  err.message[0] = '\0';
  pixels.Rows.clear();
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    error = err.message;
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = grayscale || cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  pixels.Width = static_cast<int>(cinfo.output_width);
  pixels.Height = static_cast<int>(cinfo.output_height);
  pixels.Components = cinfo.output_components;
  size_t stride = static_cast<size_t>(pixels.Width) * pixels.Components;
  pixels.Rows.resize(stride * pixels.Height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels.Rows.data() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool JpegEncode(const TJpegPixels& pixels, int quality, bool progressive, std::vector<uint8_t>& data, std::string& error) {
  jpeg_compress_struct cinfo;
  TErrorManager err;
  unsigned char* buffer = nullptr;
  unsigned long length = 0;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.output_message = SilentMessage;
  err.message[0] = '\0';
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    error = err.message;
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &length);
  cinfo.image_width = static_cast<JDIMENSION>(pixels.Width);
  cinfo.image_height = static_cast<JDIMENSION>(pixels.Height);
  cinfo.input_components = pixels.Components;
  cinfo.in_color_space = pixels.Components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  size_t stride = static_cast<size_t>(pixels.Width) * pixels.Components;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(pixels.Rows.data()) + stride * cinfo.next_scanline;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  data.assign(buffer, buffer + length);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return true;
}

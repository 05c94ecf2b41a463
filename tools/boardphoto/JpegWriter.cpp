#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

struct ErrorTrap
{
    jpeg_error_mgr manager;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void leaveOnError(j_common_ptr cinfo)
{
    ErrorTrap *trap = reinterpret_cast<ErrorTrap *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

struct Session
{
    ErrorTrap trap;
    jpeg_compress_struct cinfo;
    unsigned char *output;
    unsigned long outputSize;
};

// Plain C data only between setjmp and the jump; rgb is width × height × 3 bytes.
bool compress(const unsigned char *rgb, int width, int height, const unsigned char *icc,
              unsigned iccSize, int quality, Session *session)
{
    jpeg_compress_struct *const cinfo = &session->cinfo;
    cinfo->err = jpeg_std_error(&session->trap.manager);
    session->trap.manager.error_exit = leaveOnError;
    if (setjmp(session->trap.jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &session->output, &session->outputSize);
    cinfo->image_width = JDIMENSION(width);
    cinfo->image_height = JDIMENSION(height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    cinfo->write_JFIF_header = TRUE;
    cinfo->JFIF_major_version = 1;
    cinfo->JFIF_minor_version = 1;
    cinfo->density_unit = 1; // dots per inch
    cinfo->X_density = 72;
    cinfo->Y_density = 72;
    cinfo->optimize_coding = TRUE;
    jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    if (iccSize > 0)
        jpeg_write_icc_profile(cinfo, icc, iccSize);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + size_t(cinfo->next_scanline) * width * 3);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

} // namespace

QByteArray encodeProgressiveJpeg(const QImage &image, const QByteArray &iccProfile, int quality,
                                 QString *error)
{
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> rgb(size_t(rgbImage.width()) * rgbImage.height() * 3);
    for (int y = 0; y < rgbImage.height(); ++y)
        std::memcpy(rgb.data() + size_t(y) * rgbImage.width() * 3, rgbImage.constScanLine(y),
                    size_t(rgbImage.width()) * 3);

    Session session;
    std::memset(&session, 0, sizeof session);
    const bool ok = compress(rgb.data(), rgbImage.width(), rgbImage.height(),
                             reinterpret_cast<const unsigned char *>(iccProfile.constData()),
                             unsigned(iccProfile.size()), quality, &session);
    QByteArray result;
    if (ok)
        result = QByteArray(reinterpret_cast<const char *>(session.output), qsizetype(session.outputSize));
    else if (error)
        *error = QString::fromLocal8Bit(session.trap.message);
    std::free(session.output);
    return result;
}

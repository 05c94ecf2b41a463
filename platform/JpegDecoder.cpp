#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; its default ends the
// process. We leave the library with longjmp instead, so everything between setjmp and the
// jump must be plain C data: libjpeg's structs, malloc'd buffers reached through RawJpeg, and
// no C++ object with a destructor. The QImage and QStrings are built afterwards.

enum class Failure { None, Empty, Damaged, TooLarge, UnsupportedColour, NoMemory };

struct RawJpeg
{
    Failure failure;
    char message[JMSG_LENGTH_MAX];
    unsigned width, height;
    int components;
    bool progressive;
    bool hasJfif;
    int jfifMajor, jfifMinor, densityUnit, xDensity, yDensity;
    JOCTET *icc;            // malloc'd by libjpeg; freed by the caller
    unsigned int iccSize;
    unsigned char *pixels;  // width × height × 3 bytes of RGB, malloc'd; freed by the caller
};

struct ErrorTrap
{
    jpeg_error_mgr manager; // first, so that cinfo->err points at the whole trap
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void leaveOnError(j_common_ptr cinfo)
{
    ErrorTrap *trap = reinterpret_cast<ErrorTrap *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Level −1 is a warning: libjpeg goes on decoding cut-short or corrupt data with grey or
// smeared blocks, which must not pass for the board's photograph. Trace messages are dropped.
void leaveOnWarning(j_common_ptr cinfo, int level)
{
    if (level < 0)
        leaveOnError(cinfo);
}

unsigned char clampByte(int value)
{
    return static_cast<unsigned char>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Adobe writes CMYK inverted (0 is full ink); plain CMYK stores 255 for full ink.
void cmykRowToRgb(const JSAMPLE *in, unsigned char *out, unsigned width, bool adobeInverted)
{
    for (unsigned x = 0; x < width; ++x, in += 4, out += 3) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobeInverted) {
            c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
        }
        out[0] = clampByte(c * k / 255);
        out[1] = clampByte(m * k / 255);
        out[2] = clampByte(y * k / 255);
    }
}

// One decoding run. Kept outside the function that calls setjmp, so that nothing the jump
// returns to is an automatic variable changed after setjmp (whose value would be indeterminate).
struct Session
{
    ErrorTrap trap;
    jpeg_decompress_struct cinfo;
    RawJpeg raw;
};

// Runs libjpeg over the bytes; with decodePixels false it stops after the headers.
// Returns false with raw.failure set; raw.icc and raw.pixels may hold memory either way.
bool runLibjpeg(const unsigned char *data, unsigned long size, bool decodePixels, Session *session)
{
    jpeg_decompress_struct *const cinfo = &session->cinfo;
    RawJpeg *const out = &session->raw;
    ErrorTrap *const trap = &session->trap;
    cinfo->err = jpeg_std_error(&trap->manager);
    trap->manager.error_exit = leaveOnError;
    trap->manager.emit_message = leaveOnWarning;
    trap->message[0] = '\0';

    if (setjmp(trap->jump)) {
        std::memcpy(out->message, trap->message, sizeof out->message);
        out->failure = Failure::Damaged;
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, size);
    jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF); // ICC profile chunks
    jpeg_read_header(cinfo, TRUE);

    out->width = cinfo->image_width;
    out->height = cinfo->image_height;
    out->components = cinfo->num_components;
    out->progressive = cinfo->progressive_mode;
    out->hasJfif = cinfo->saw_JFIF_marker;
    out->jfifMajor = cinfo->JFIF_major_version;
    out->jfifMinor = cinfo->JFIF_minor_version;
    out->densityUnit = cinfo->density_unit;
    out->xDensity = cinfo->X_density;
    out->yDensity = cinfo->Y_density;
    if (!jpeg_read_icc_profile(cinfo, &out->icc, &out->iccSize)) {
        out->icc = nullptr;
        out->iccSize = 0;
    }

    if (out->width > unsigned(JpegDecoder::MaxSide) || out->height > unsigned(JpegDecoder::MaxSide)
        || qint64(out->width) * out->height > JpegDecoder::MaxPixels) {
        out->failure = Failure::TooLarge;
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    if (!decodePixels) {
        jpeg_destroy_decompress(cinfo);
        return true;
    }

    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        cinfo->out_color_space = JCS_RGB; // libjpeg-turbo expands grey to RGB itself
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        break;
    default:
        out->failure = Failure::UnsupportedColour;
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_start_decompress(cinfo);
    const unsigned width = cinfo->output_width;
    // The row buffer lives in libjpeg's pool, which jpeg_destroy_decompress frees even after a jump.
    JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 width * cinfo->output_components, 1);
    out->width = width;
    out->height = cinfo->output_height;
    out->pixels = static_cast<unsigned char *>(std::malloc(size_t(width) * out->height * 3));
    if (!out->pixels) {
        out->failure = Failure::NoMemory;
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char *target = out->pixels + size_t(cinfo->output_scanline) * width * 3;
        jpeg_read_scanlines(cinfo, row, 1);
        if (cinfo->out_color_space == JCS_CMYK)
            cmykRowToRgb(row[0], target, width, cinfo->saw_Adobe_marker);
        else
            std::memcpy(target, row[0], size_t(width) * 3);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

// Fills the session from the bytes; the session starts zeroed (Session is plain C data).
bool run(const QByteArray &data, bool decodePixels, Session *session)
{
    std::memset(session, 0, sizeof *session);
    if (data.isEmpty()) {
        session->raw.failure = Failure::Empty;
        return false;
    }
    return runLibjpeg(reinterpret_cast<const unsigned char *>(data.constData()),
                      static_cast<unsigned long>(data.size()), decodePixels, session);
}

QString messageFor(const RawJpeg &raw)
{
    switch (raw.failure) {
    case Failure::None:
        break;
    case Failure::Empty:
        return QStringLiteral("The picture is empty: it holds no JPEG data.");
    case Failure::Damaged:
        return QStringLiteral("The picture is damaged: %1").arg(QString::fromLocal8Bit(raw.message));
    case Failure::TooLarge:
        return QStringLiteral("The picture is too large to show: %1 × %2 pixels (at most %3 a side "
                              "and %4 in all).")
            .arg(raw.width).arg(raw.height).arg(JpegDecoder::MaxSide).arg(JpegDecoder::MaxPixels);
    case Failure::UnsupportedColour:
        return QStringLiteral("The picture uses a colour format that cannot be shown "
                              "(%1 components of unknown meaning).").arg(raw.components);
    case Failure::NoMemory:
        return QStringLiteral("There is not enough memory to show the picture (%1 × %2 pixels).")
            .arg(raw.width).arg(raw.height);
    }
    return QString();
}

void release(RawJpeg &raw)
{
    std::free(raw.icc);
    std::free(raw.pixels);
    raw.icc = nullptr;
    raw.pixels = nullptr;
}

} // namespace

QImage JpegDecoder::decode(const QByteArray &data, QString *error)
{
    Session session;
    RawJpeg &raw = session.raw;
    QImage image;
    if (run(data, true, &session)) {
        image = QImage(int(raw.width), int(raw.height), QImage::Format_RGB32);
        if (image.isNull())
            raw.failure = Failure::NoMemory;
        for (int y = 0; y < image.height(); ++y) {
            const unsigned char *in = raw.pixels + size_t(y) * raw.width * 3;
            QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x, in += 3)
                line[x] = qRgb(in[0], in[1], in[2]);
        }
    }
    if (image.isNull() && error)
        *error = messageFor(raw);
    release(raw);
    return image;
}

bool JpegDecoder::readInfo(const QByteArray &data, JpegInfo *info, QString *error)
{
    Session session;
    const RawJpeg &raw = session.raw;
    // A picture too large to decode still has readable headers.
    const bool readable = run(data, false, &session) || raw.failure == Failure::TooLarge;
    if (readable && info) {
        info->width = int(raw.width);
        info->height = int(raw.height);
        info->components = raw.components;
        info->progressive = raw.progressive;
        info->hasJfif = raw.hasJfif;
        info->jfifMajor = raw.jfifMajor;
        info->jfifMinor = raw.jfifMinor;
        info->densityUnit = raw.densityUnit;
        info->xDensity = raw.xDensity;
        info->yDensity = raw.yDensity;
        info->iccProfile = raw.icc ? QByteArray(reinterpret_cast<const char *>(raw.icc), int(raw.iccSize))
                                   : QByteArray();
    }
    if (!readable && error)
        *error = messageFor(raw);
    release(session.raw);
    return readable;
}

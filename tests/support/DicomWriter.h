#pragma once
// Writes small DICOM grey images with DCMTK's own API, for the tests of the DICOM reader:
// the samples as the file stores them (before any rescale), top row first.

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcpixel.h>
#include <dcmtk/dcmdata/dcpixseq.h>
#include <dcmtk/dcmdata/dcpxitem.h>
#include <dcmtk/dcmdata/dcrleerg.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmjpeg/djencode.h>
#include <dcmtk/dcmjpeg/djrplol.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vellum::test {

struct DicomImage {
    int width = 2;
    int height = 2;
    int bitsAllocated = 16;
    int bitsStored = 16;
    int highBit = 15;
    bool isSigned = false;
    std::string photometric = "MONOCHROME2";
    int samplesPerPixel = 1;
    std::vector<std::uint16_t> samples; // bit patterns as stored, width * height
    std::string pixelSpacing;           // "row\\column" in mm; empty: none
    std::string imagerPixelSpacing;
    std::string rescaleSlope;
    std::string rescaleIntercept;
    bool withPixelData = true;
    E_TransferSyntax syntax = EXS_LittleEndianExplicit;
    // Pixel data said to be JPEG 2000, which DCMTK's own decoders do not read.
    bool jpeg2000 = false;
};

// True when the file was written.
inline bool WriteDicom(const std::string& path, const DicomImage& image) {
    DcmFileFormat file;
    DcmDataset& data = *file.getDataset();
    char uid[100];
    data.putAndInsertString(DCM_SOPClassUID, UID_SecondaryCaptureImageStorage);
    data.putAndInsertString(DCM_SOPInstanceUID,
                            dcmGenerateUniqueIdentifier(uid, SITE_INSTANCE_UID_ROOT));
    data.putAndInsertUint16(DCM_Rows, static_cast<Uint16>(image.height));
    data.putAndInsertUint16(DCM_Columns, static_cast<Uint16>(image.width));
    data.putAndInsertUint16(DCM_BitsAllocated, static_cast<Uint16>(image.bitsAllocated));
    data.putAndInsertUint16(DCM_BitsStored, static_cast<Uint16>(image.bitsStored));
    data.putAndInsertUint16(DCM_HighBit, static_cast<Uint16>(image.highBit));
    data.putAndInsertUint16(DCM_PixelRepresentation, image.isSigned ? 1 : 0);
    data.putAndInsertUint16(DCM_SamplesPerPixel, static_cast<Uint16>(image.samplesPerPixel));
    data.putAndInsertString(DCM_PhotometricInterpretation, image.photometric.c_str());
    if (!image.pixelSpacing.empty())
        data.putAndInsertString(DCM_PixelSpacing, image.pixelSpacing.c_str());
    if (!image.imagerPixelSpacing.empty())
        data.putAndInsertString(DCM_ImagerPixelSpacing, image.imagerPixelSpacing.c_str());
    if (!image.rescaleSlope.empty())
        data.putAndInsertString(DCM_RescaleSlope, image.rescaleSlope.c_str());
    if (!image.rescaleIntercept.empty())
        data.putAndInsertString(DCM_RescaleIntercept, image.rescaleIntercept.c_str());
    if (image.jpeg2000) {
        auto* pixels = new DcmPixelData(DCM_PixelData);
        auto* sequence = new DcmPixelSequence(DCM_PixelSequenceTag);
        sequence->insert(new DcmPixelItem(DCM_PixelItemTag));
        auto* fragment = new DcmPixelItem(DCM_PixelItemTag);
        const Uint8 garbage[] = {0xFF, 0x4F, 0xFF, 0x51, 0, 0};
        fragment->putUint8Array(garbage, sizeof garbage);
        sequence->insert(fragment);
        pixels->putOriginalRepresentation(EXS_JPEG2000LosslessOnly, nullptr, sequence);
        data.insert(pixels);
        return file.saveFile(path.c_str(), EXS_JPEG2000LosslessOnly).good();
    }
    if (image.withPixelData) {
        if (image.bitsAllocated == 8) {
            std::vector<Uint8> bytes(image.samples.begin(), image.samples.end());
            data.putAndInsertUint8Array(DCM_PixelData, bytes.data(),
                                        static_cast<unsigned long>(bytes.size()));
        } else {
            data.putAndInsertUint16Array(DCM_PixelData, image.samples.data(),
                                         static_cast<unsigned long>(image.samples.size()));
        }
    }
    E_TransferSyntax syntax = image.syntax;
    if (syntax == EXS_RLELossless || syntax == EXS_JPEGProcess14SV1) {
        DcmRLEEncoderRegistration::registerCodecs();
        DJEncoderRegistration::registerCodecs();
        const DJ_RPLossless lossless;
        const bool encoded =
            data.chooseRepresentation(syntax, syntax == EXS_JPEGProcess14SV1 ? &lossless : nullptr)
                .good() &&
            data.canWriteXfer(syntax);
        DJEncoderRegistration::cleanup();
        DcmRLEEncoderRegistration::cleanup();
        if (!encoded)
            return false;
    }
    return file.saveFile(path.c_str(), syntax).good();
}

} // namespace vellum::test

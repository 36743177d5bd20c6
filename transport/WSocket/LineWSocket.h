#pragma once
// TCustomLineWSocket: line mode. Received bytes are collected, and OnDataAvailable fires
// once per complete line, which Receive then returns with its line end. Switching line mode
// off hands what is still buffered to plain reads, through message 1044. Optional echo of
// the received bytes and simple editing (backspace, tab) serve interactive peers.

#include <string>

#include "transport/WSocket/LineBuffer.h"
#include "transport/WSocket/SocksWSocket.h"

namespace vantorell::transport {

using TLineLimitEvent = std::function<void(TObject* Sender, int RcvdLength, bool& ClearData)>;

class TCustomLineWSocket : public TCustomSocksWSocket {
public:
    TCustomLineWSocket();
    ~TCustomLineWSocket() override;

    int GetRcvdCount() override;

    bool LineMode() const { return FLineMode; }
    virtual void SetLineMode(bool Value);
    const std::string& LineEnd() const { return FLineEnd; }
    void SetLineEnd(const std::string& Value);
    int LineLimit() const { return FLineLimit; }
    void SetLineLimit(int Value) { FLineLimit = Value; }
    bool LineEcho() const { return FLineEcho; }
    void SetLineEcho(bool Value) { FLineEcho = Value; }
    bool LineEdit() const { return FLineEdit; }
    void SetLineEdit(bool Value) { FLineEdit = Value; }

    TLineLimitEvent OnLineLimitExceeded;

protected:
    virtual void TriggerLineLimitExceeded(int Cnt, bool& ClearData);
    // Edits the Len bytes just received; Len becomes the count from the lowest position
    // the editing changed to the end.
    virtual void EditLine(int& Len);

    void WndProc(TMessage& MsgRec) override;
    bool TriggerDataAvailable(TWord Error) override;
    void TriggerSessionClosed(TWord Error) override;
    int DoRecv(void* Buffer, int BufferSize, int Flags) override;
    void WMTriggerDataAvailable(TMessage& msg);

    // Offers the complete lines in the buffer, one OnDataAvailable each, while line mode
    // lasts and the handler takes them.
    void DeliverLines();
    bool LineModeActive() const { return FLineMode && !FLineEnd.empty(); }

    TLineBuffer FRcvdBuf;
    std::size_t FLineLength = 0;  // the complete line on offer; 0 when none
    bool FLineReceived = false;   // a line was found or the session closed
    bool FLineClearData = false;
    bool FLineMode = false;
    std::string FLineEnd = "\r\n";
    int FLineLimit = 65536;
    bool FLineEcho = false;
    bool FLineEdit = false;

private:
    void ReceiveIntoBuffer();
    void CheckLineLimit();
    void DeliverLastLine();
    void DeliverPlain();
    bool OfferBuffered();
};

}  // namespace vantorell::transport

#pragma once
// The cube tool's automation, as the designer drives it to extract a model from a cube:
// an application object and a report object, created by programmatic identifier, and the
// members of the report called by name. The cube tool is not part of this system; the
// service shipped with it reports the tool as not installed, so no object can be created.
// Tests install an in-memory cube instead.

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/InstalledService.h"

namespace vantorell {

// A member call of the cube tool that failed; the message says which and why.
class CubeAutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A list of categories of one dimension, for the report's rows or columns.
class CubeCategoryList {
public:
    virtual ~CubeCategoryList() = default;
    virtual void add(int position, const std::string& categoryName) = 0;
    virtual void setShareOf(bool shareOf) = 0;
};

// Every member may raise CubeAutomationError. Rows, columns and dimensions count from 1.
class CubeReport {
public:
    virtual ~CubeReport() = default;
    // Opens the cube file; `kind` 1 is a cube.
    virtual void newReport(const std::string& cubeFile, int kind) = 0;
    virtual void setExplorerMode(bool on) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual std::unique_ptr<CubeCategoryList> categoryList() = 0;

    // The dimension line: the cube's dimensions, the measures dimension aside.
    virtual int dimensionLineCount() = 0;
    virtual std::string dimensionLineItemName(int dimension) = 0;

    virtual void columnsRemove() = 0;
    virtual void columnsAdd(const CubeCategoryList& list) = 0;
    virtual void columnsItemAddLowestLevelCategories(int column, bool shareOf) = 0;
    virtual int columnsCount() = 0;

    virtual void rowsRemove() = 0;
    virtual void rowsAdd(const CubeCategoryList& list) = 0;
    virtual int rowsCount() = 0;
    virtual std::string rowsItemName(int row) = 0;
    virtual bool rowsItemCanDrillDown(int row) = 0;
    // Adds the row's children directly after it.
    virtual void rowsItemDrillDown(int row) = 0;

    // Exports the report; `format` 3 is comma-separated text.
    virtual void saveAs(const std::string& file, int format) = 0;
    virtual void close() = 0;
};

class CubeApplication {
public:
    virtual ~CubeApplication() = default;
    virtual bool isVisible() = 0;
    virtual void minimize() = 0;
    virtual void quit() = 0;
};

class CubeAutomation {
public:
    virtual ~CubeAutomation() = default;
    // Nothing when no object of that identifier can be created.
    virtual std::unique_ptr<CubeApplication> createApplication(
        const std::string& programmaticId) = 0;
    virtual std::unique_ptr<CubeReport> createReport(const std::string& programmaticId) = 0;
};

// The service in use: the one installed last, else the one that has no cube tool.
CubeAutomation& cubeAutomation();

// Installs a service (nullptr restores the shipped one); returns the previous one.
CubeAutomation* setCubeAutomation(CubeAutomation* automation);

// Installs a service for the lifetime of the guard.
using ScopedCubeAutomation = ScopedService<CubeAutomation, setCubeAutomation>;

}  // namespace vantorell

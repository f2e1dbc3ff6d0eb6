// Reads one OpenAir file with the independent openAIP parser (installed by
// bench/run_all.py with npm into the build folder, for comparison only) and
// prints how many airspaces it made.
const { Parser } = require('@openaip/openair-parser');
const parser = new Parser({ version: '2.0', validateGeometry: false, fixGeometry: false });
const { success, error } = parser.parse(process.argv[2]);
if (!success) {
    console.error(error ? error.errorMessage : 'parse failed');
    process.exit(1);
}
console.log(parser.toGeojson().features.length);

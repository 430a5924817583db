// Browser tests of `veld serve`: Debian's chromium, driven headless by Playwright. Nothing here
// downloads a browser; VELD_CHROMIUM may name another executable.
import { defineConfig } from '@playwright/test';

export default defineConfig({
  testDir: '.',
  testMatch: '*.test.mjs',
  timeout: 120_000,
  workers: 1,
  reporter: [['list']],
  outputDir: process.env.VELD_WEB_OUTPUT || 'test-results',
  use: {
    headless: true,
    viewport: { width: 1280, height: 800 },
    launchOptions: {
      executablePath: process.env.VELD_CHROMIUM || '/usr/bin/chromium',
      args: [
        '--no-sandbox',
        '--disable-gpu',
        // WebGL without a GPU: ANGLE on SwiftShader (the view draws with WebGL2).
        '--use-angle=swiftshader',
        '--enable-unsafe-swiftshader',
        '--disable-quic',
        '--no-first-run',
        '--disable-background-networking',
        '--disable-component-update',
        '--disable-sync',
      ],
    },
  },
});
